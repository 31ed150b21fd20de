#pragma once
// The words an operator reads for a refused command: the setting's name as the settings
// grid shows it for the instrument's model, with the command in brackets ("Gain [RGN]").
// A command that names no setting on the grid keeps its code alone.

#include "app/items/StringSource.h"

#include <QString>
#include <QStringList>

namespace tovu::link {

QString refusalName(const items::StringSource& strings, int model, const QString& cmd);
// The names of cmds, joined with ", ".
QString refusalNames(const items::StringSource& strings, int model, const QStringList& cmds);

constexpr int kDacPointsString = 6146;
constexpr int kTcgPointsString = 6147;
constexpr int kDacCurveString = 6148;
constexpr int kAvgCurveString = 6149;
constexpr int kTcgCurveString = 6155;
constexpr int kWaveformString = 6156;
constexpr int kTimeStampString = 6157;

} // namespace tovu::link
