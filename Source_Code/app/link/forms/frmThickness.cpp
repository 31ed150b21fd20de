#include "app/link/forms/frmThickness.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovu::link {

namespace {

constexpr const char* kCaptions[kThicknessFields] = {"BLOCK", "LOCATION", "NUMBER", "ZERO", "VELOCITY", "THICKNESS"};
constexpr int kBlocks = 14;

} // namespace

frmThickness::frmThickness(LinkContext& ctx, LinkDialogs& dialogs, ThicknessLog& log,
                           std::function<QString(const QString&)> chooseFile, QWidget* parent)
    : QDialog(parent), ctx_(ctx), dialogs_(dialogs), log_(log), chooseFile_(std::move(chooseFile))
{
    setWindowTitle(QStringLiteral("Thickness Readings"));
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    save_ = bar->addAction(QStringLiteral("Save"));
    exit_ = bar->addAction(QStringLiteral("Exit"));
    layout->setMenuBar(bar);
    connect(save_, &QAction::triggered, this, &frmThickness::mnuSave_Click);
    connect(exit_, &QAction::triggered, this, &frmThickness::mnuExit_Click);

    auto* top = new QHBoxLayout;
    combo_ = new QComboBox;
    for (int b = 1; b <= kBlocks; ++b)
        combo_->addItem(QString::number(b));
    combo_->setEditable(true);
    combo_->setCurrentText(QStringLiteral("1"));
    command1_ = new QPushButton(QStringLiteral("START DOWNLOAD"));
    top->addWidget(combo_);
    top->addWidget(command1_);
    layout->addLayout(top);
    connect(command1_, &QPushButton::clicked, this, &frmThickness::Command1_Click);

    auto* frame = new QGroupBox(QStringLiteral("DOWNLOAD INFORMATION"));
    auto* frameLayout = new QVBoxLayout(frame);
    info_ = new QLabel;
    frameLayout->addWidget(info_);
    layout->addWidget(frame);

    auto* grid = new QGridLayout;
    for (int i = 0; i < kThicknessFields; ++i) {
        captions_[static_cast<std::size_t>(i)] = new QLabel(QLatin1String(kCaptions[i]));
        values_[static_cast<std::size_t>(i)] = new QLabel(QStringLiteral("0"));
        grid->addWidget(captions_[static_cast<std::size_t>(i)], 0, i);
        grid->addWidget(values_[static_cast<std::size_t>(i)], 1, i);
    }
    layout->addLayout(grid);
}

void frmThickness::Command1_Click()
{
    ThicknessHooks hooks;
    hooks.setInfo = [this](const QString& t) { info_->setText(t); };
    hooks.onReading = [this](const QStringList& f) {
        for (int i = 0; i < kThicknessFields && i < f.size(); ++i)
            values_[static_cast<std::size_t>(i)]->setText(f[i]);
    };
    hooks.resetValues = [this] {
        for (QLabel* l : values_)
            l->setText(QStringLiteral("0"));
    };
    downloadThickness(ctx_, dialogs_, log_, combo_->currentText(), hooks);
}

void frmThickness::mnuSave_Click()
{
    saveThicknessLog(dialogs_, log_, GetCurrencySymbol(), chooseFile_);
}

} // namespace tovu::link
