#pragma once
// Two command sequences compared whole: equal when every line matches its expected entry
// in order; otherwise a readable diff ("-" expected and missing, "+" sent and not
// expected, a few lines of context around each change, with their positions).

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace tovu::bench {

using LineMatch = std::function<bool(const QString& expected, const QString& sent)>;

inline bool sameSequence(const QStringList& expected, const QStringList& sent, const LineMatch& match)
{
    if (expected.size() != sent.size())
        return false;
    for (qsizetype i = 0; i < expected.size(); ++i)
        if (!match(expected[i], sent[i]))
            return false;
    return true;
}

// The diff of the longest common subsequence; empty when the sequences are the same.
inline QString sequenceDiff(const QStringList& expected, const QStringList& sent, const LineMatch& match,
                            int context = 3)
{
    if (sameSequence(expected, sent, match))
        return {};
    const auto n = static_cast<std::size_t>(expected.size());
    const auto m = static_cast<std::size_t>(sent.size());
    std::vector<std::vector<int>> lcs(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            lcs[i][j] = match(expected[static_cast<qsizetype>(i)], sent[static_cast<qsizetype>(j)])
                            ? lcs[i + 1][j + 1] + 1
                            : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    struct Row {
        char mark;  // ' ', '-', '+'
        std::size_t at;
        QString text;
    };
    std::vector<Row> rows;
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && match(expected[static_cast<qsizetype>(i)], sent[static_cast<qsizetype>(j)])) {
            rows.push_back({' ', j, sent[static_cast<qsizetype>(j)]});
            ++i, ++j;
        } else if (j < m && (i == n || lcs[i][j + 1] >= lcs[i + 1][j])) {
            rows.push_back({'+', j, sent[static_cast<qsizetype>(j)]});
            ++j;
        } else {
            rows.push_back({'-', i, expected[static_cast<qsizetype>(i)]});
            ++i;
        }
    }
    QString out = QStringLiteral("expected %1 commands, sent %2 (- expected only, + sent only, #n the position sent or expected)\n")
                      .arg(n)
                      .arg(m);
    std::size_t lastShown = 0;
    bool any = false;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        bool near = false;
        for (std::size_t k = r >= static_cast<std::size_t>(context) ? r - context : 0;
             k < rows.size() && k <= r + static_cast<std::size_t>(context); ++k)
            near = near || rows[k].mark != ' ';
        if (!near)
            continue;
        if (any && r > lastShown + 1)
            out += QStringLiteral("  ...\n");
        out += QStringLiteral("%1 #%2 %3\n").arg(QChar::fromLatin1(rows[r].mark)).arg(rows[r].at).arg(rows[r].text);
        lastShown = r;
        any = true;
    }
    return out;
}

} // namespace tovu::bench
