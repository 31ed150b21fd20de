#include "ParameterTable.h"

namespace tovu::sim {

namespace {
using K = ValueKind;
using F = Feature;

const std::vector<ParameterInfo> kTable = {
    // calibration
    {"PZ", K::Number, 0, "0.00", F::All},
    {"VL", K::Number, 0, "5920", F::All},
    {"RG", K::Number, 0, "100.0", F::All},
    {"TD", K::Number, 0, "0.0", F::All},
    {"GN", K::Number, 0, "40.0", F::All},
    {"GR", K::Number, 0, "40.0", F::All},
    {"UZ", K::Number, 0, "0", F::All},
    {"UU", K::Number, 0, "0", F::All},
    // amplifier
    {"FR", K::Choice, 6, "2", F::All},
    {"FS", K::ReadOnly, 0, "5.0", F::All},
    {"DT", K::Choice, 4, "2", F::All},
    {"RJ", K::Number, 0, "0", F::All},
    {"CT", K::Number, 0, "0", F::All},
    // transmitter
    {"TW", K::Number, 0, "100", F::All},
    {"PD", K::Choice, 4, "1", F::All},
    {"SD", K::Choice, 2, "0", F::All},
    {"PF", K::Choice, 6, "0", F::All},
    {"PV", K::Choice, 8, "2", F::All},
    {"PE", K::Number, 0, "0", F::All},
    // gates A, B and the interface gate I
    {"GA", K::Choice, 4, "1", F::All},
    {"SA", K::Number, 0, "20.0", F::All},
    {"WA", K::Number, 0, "20.0", F::All},
    {"LA", K::Number, 0, "50", F::All},
    {"GB", K::Choice, 4, "0", F::All},
    {"SB", K::Number, 0, "60.0", F::All},
    {"WB", K::Number, 0, "20.0", F::All},
    {"LB", K::Number, 0, "40", F::All},
    {"GI", K::Choice, 4, "0", F::All},
    {"SI", K::Number, 0, "5.0", F::All},
    {"WI", K::Number, 0, "10.0", F::All},
    {"LI", K::Number, 0, "30", F::All},
    // measurement
    {"MM", K::Choice, 5, "1", F::All},
    {"MT", K::Choice, 2, "0", F::All},
    {"HD", K::Choice, 9, "1", F::All},
    {"HS", K::Number, 0, "0", F::All},
    {"TM", K::Choice, 2, "0", F::All},
    {"BK", K::Number, 0, "0.0", F::All},
    {"AG", K::Number, 0, "0.0", F::All},
    {"TH", K::Number, 0, "25.0", F::All},
    {"CD", K::ReadOnly, 0, "0.00", F::All},
    {"SH", K::ReadOnly, 0, "255", F::All},
    {"XO", K::Number, 0, "0.0", F::All},
    {"PM", K::Number, 0, "0", F::All},
    // angle-probe calibration
    {"ZO", K::Number, 0, "25.0", F::All},
    {"ZT", K::Number, 0, "50.0", F::All},
    // DAC
    {"DM", K::Choice, 4, "0", F::All},
    {"CV", K::Choice, 7, "0", F::All},
    {"TR", K::Number, 0, "0", F::All},
    {"DD", K::Number, 0, "0.0", F::All},
    {"DR", K::Number, 0, "0.0", F::All},
    {"DH", K::Number, 0, "0.0", F::All},
    {"HM", K::Number, 0, "0", F::All},
    {"DB", K::Number, 0, "0.0", F::All},
    // TCG
    {"YM", K::Choice, 2, "0", F::Tcg},
    {"YS", K::Number, 0, "0", F::Tcg},
    {"YD", K::Number, 0, "0.0", F::Tcg},
    {"YR", K::Number, 0, "0.0", F::Tcg},
    {"YG", K::Number, 0, "0.0", F::All},
    {"YH", K::Number, 0, "0.0", F::All},
    {"YT", K::Number, 0, "0", F::All},
    {"YA", K::Number, 0, "0", F::All},
    {"YB", K::Number, 0, "0", F::All},
    // AWS
    {"AV", K::Choice, 3, "0", F::All},
    {"AW", K::Number, 0, "0.0", F::All},
    {"AX", K::ReadOnly, 0, "0.0", F::All},
    {"AY", K::ReadOnly, 0, "0.0", F::All},
    {"AZ", K::ReadOnly, 0, "0.0", F::All},
    // AVG
    {"EN", K::Choice, 6, "0", F::All},
    {"EL", K::Number, 0, "3.0", F::All},
    {"EB", K::Number, 0, "0.0", F::All},
    {"EK", K::Number, 0, "10.0", F::All},
    {"EC", K::Number, 0, "0.0", F::All},
    {"ED", K::Number, 0, "0.0", F::All},
    {"EP", K::Number, 0, "0", F::All},
    {"EQ", K::Number, 0, "0", F::All},
    {"ER", K::Number, 0, "0", F::All},
    {"ES", K::Number, 0, "0", F::All},
    {"EF", K::Number, 0, "0", F::All},
    {"EJ", K::Number, 0, "0", F::All},
    {"EH", K::Number, 0, "0", F::All},
    // AGC
    {"SF", K::Choice, 2, "0", F::Agc},
    {"SE", K::Number, 0, "80", F::Agc},
    // utility
    {"UN", K::Choice, 3, "0", F::All},
    {"CL", K::Choice, 2, "1", F::All},
    {"AA", K::Choice, 2, "1", F::All},
    {"VS", K::Choice, 2, "0", F::All},
    // video
    {"VD", K::Choice, 2, "0", F::All},
    {"VA", K::ReadOnly, 0, "0", F::All},
    {"VC", K::Number, 0, "5", F::All},
    {"VB", K::Number, 0, "5", F::All},
    {"GT", K::Choice, 6, "1", F::All},
    // outputs
    {"PO", K::Choice, 3, "0", F::All},
    {"OA", K::Choice, 4, "0", F::All},
    {"OB", K::Choice, 4, "0", F::All},
    {"OT", K::Choice, 2, "0", F::All},
    // notes
    {"NL", K::Text, 8, "", F::All},
    {"NO", K::Text, 25, "", F::All},
    {"NC", K::Text, 25, "", F::All},
    {"NP", K::Text, 25, "", F::All},
    {"NN", K::Text, 75, "", F::All},
    // display of a recalled ALog (1) or the live trace (0)
    {"FP", K::Choice, 2, "0", F::All},
};
}  // namespace

const std::vector<ParameterInfo>& parameterTable() { return kTable; }

const ParameterInfo* findParameter(const std::string& code) {
  for (const auto& p : kTable)
    if (code == p.code) return &p;
  return nullptr;
}

bool modelHasFeature(int model, Feature feature) {
  return feature == Feature::All || model >= kFirstModelWithTcg;
}

}  // namespace tovu::sim
