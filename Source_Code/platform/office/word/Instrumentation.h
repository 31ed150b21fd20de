#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace tovu::platform::word {

// Test hooks shared by every object of one Word environment: a chosen operation can be
// made to fail (so a caller's status codes can be walked step by step), and the calls
// can be logged in order. Operation names are "Class.Member", e.g. "Document.SaveAs".
class Instrumentation {
public:
    // The occurrence-th call of operation (counted from now, 1 = the next) throws WordError;
    // occurrence 0 makes every call fail.
    void failOn(const QString& operation, int occurrence = 1);
    void clearFailures();

    void setRecording(bool on) { recording_ = on; }
    bool recording() const { return recording_; }
    // The recorded calls, "Class.Member" or "Class.Member(arguments)".
    const QStringList& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }

    // Called on entry of every operation: records it and throws when it is armed to fail.
    void enter(const QString& operation, const QString& arguments = {});

private:
    struct Armed {
        int remaining = 0;  // calls left before the failing one; -1 = every call
    };
    QHash<QString, Armed> armed_;
    bool recording_ = false;
    QStringList calls_;
};

}  // namespace tovu::platform::word
