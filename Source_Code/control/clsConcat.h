// The control's string builder: gathers a long text from many pieces without copying the
// whole text at every append. One builder per call of a method that builds a long text.
#pragma once

#include <QString>
#include <cstdint>

namespace tovu::control {

class clsConcat {
public:
    // Appends piece. The buffer grows in steps of 15000 characters (or by the piece when the
    // piece is longer, or while the text is still shorter than the piece).
    void SConcat(const QString& piece);
    // The text gathered so far. Empties the buffer but keeps the count, as callers re-initialise
    // before gathering again.
    QString GetString();
    void ReInit();

    qsizetype bufferLength() const { return Buffer.size(); }
    std::int32_t used() const { return Used; }

private:
    QString Buffer;
    std::int32_t Used = 0;
};

} // namespace tovu::control
