#pragma once
// Parsing of the structured replies: point lists, sample arrays and slot lists. Every
// function either returns what the reply holds or raises one BadReply link error; none
// trusts the reply's size or contents.

#include "app/items/DFDRecord.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>
#include <vector>

namespace tovu::link {

// An "RRP"/"RYP" reply: echo, then x,y pairs. Replies shorter than 7 characters hold no
// points. More than 10 pairs, a value without its partner, or one that is no number, is a
// bad reply.
struct PointListReply {
    bool present = false;
    std::vector<std::pair<QString, QString>> points;
};
PointListReply parsePointList(const QString& cmd, const QString& reply);

// Which record arrays an array reply fills, chosen by its first field.
enum class ArrayTarget { None, Waveform, DacCurve, AvgCurve, TcgCurve };

struct ArrayReply {
    ArrayTarget target = ArrayTarget::None;
    // Pair tables: first and second of each pair, element k from 0. TCG: values for
    // elements 1.. in first.
    std::vector<std::int16_t> first, second;
};
// A reply that is empty or a single status byte fills nothing; any other reply must
// carry a known tag ("AWT", "ADC", "AAC", "YC", or the command sent).
ArrayReply parseArrayReply(const QString& cmd, const QString& reply);

// A sample as the instrument writes it: a whole number from -32768 to 65535, where
// 32768..65535 are the 16-bit patterns of negative values (65535 is -1).
std::int16_t wireSample(const QString& cmd, const QString& field);

// Whether location n is in an "APL"/"AWL" list: an echo and the occupied numbers,
// separated by commas. Blanks around the numbers are allowed.
bool slotListed(const QString& list, int n);
// Whether an "APL"/"AWL" reply is an echo followed only by location numbers (none for an
// empty memory).
bool wellFormedSlotList(const QString& list);

// The comma fields after the echo; one empty field after a trailing comma is dropped.
QStringList dataFields(const QString& reply);

} // namespace tovu::link
