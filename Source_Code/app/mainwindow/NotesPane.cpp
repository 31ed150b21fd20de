#include "app/mainwindow/NotesPane.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace tovu::mainwindow {

namespace {

struct NoteBox {
    const char* caption;
    const char* box;
    int maxLength;
};
constexpr NoteBox kNoteBoxes[5] = {{"LabelLbl", "LabelText", 8},
                                   {"OperatorLbl", "OperatorText", 25},
                                   {"LocationLbl", "LocationText", 25},
                                   {"ProbeLbl", "ProbeText", 25},
                                   {"NotesLbl", "NotesText", 75}};

QLabel* namedLabel(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}

} // namespace

NotesPane::NotesPane(QWidget* parent)
    : QTabWidget(parent),
      gridModel_(this),
      grid_(new display::SettingsGridView),
      noteIndex_(nullptr),
      date_(nullptr),
      model_(nullptr),
      memo_(new QPlainTextEdit)
{
    setObjectName(QStringLiteral("NotesSettingsTab"));
    grid_->setObjectName(QStringLiteral("GridSettings"));
    grid_->setModel(&gridModel_);

    auto* settings = new QWidget;
    auto* settingsLayout = new QVBoxLayout(settings);
    settingsLayout->setContentsMargins(4, 4, 4, 4);
    settingsLayout->addWidget(grid_);

    auto* notes = new QWidget;
    auto* grid = new QGridLayout(notes);
    // Close rows, so that the page fits below the picture in a window of 800 x 600.
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    noteIndex_ = namedLabel(QStringLiteral("NoteIndex"), notes);
    noteIndex_->setText(QStringLiteral("1"));
    grid->addWidget(noteIndex_, 0, 1);
    for (int i = 0; i < 5; ++i) {
        captions_[static_cast<std::size_t>(i)] = namedLabel(QString::fromLatin1(kNoteBoxes[i].caption), notes);
        auto* box = new QLineEdit(notes);
        box->setObjectName(QString::fromLatin1(kNoteBoxes[i].box));
        box->setMaxLength(kNoteBoxes[i].maxLength);
        boxes_[static_cast<std::size_t>(i)] = box;
        grid->addWidget(captions_[static_cast<std::size_t>(i)], i + 1, 0);
        grid->addWidget(box, i + 1, 1);
    }
    date_ = namedLabel(QStringLiteral("DateLbl"), notes);
    model_ = namedLabel(QStringLiteral("ModelLbl"), notes);
    grid->addWidget(date_, 6, 1);
    grid->addWidget(model_, 7, 1);
    grid->setRowStretch(8, 1);
    grid->setColumnStretch(1, 1);

    auto* memoPage = new QWidget;
    auto* memoLayout = new QVBoxLayout(memoPage);
    memo_->setObjectName(QStringLiteral("MemoText"));
    memoLayout->addWidget(memo_);

    addTab(settings, QString());
    addTab(notes, QString());
    addTab(memoPage, QString());  // captioned with the others by the language captions
}

} // namespace tovu::mainwindow
