#include "app/display/widgets/AScanPropertiesDialog.h"

#include "app/display/QPainterCanvas.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovu::display {

namespace {
QString text(const items::StringSource& s, int id)
{
    try {
        return s.GetResString(id);
    } catch (...) {
        return {};
    }
}

Rgb rgbOf(const QColor& c)
{
    return static_cast<Rgb>(c.red()) | static_cast<Rgb>(c.green()) << 8 | static_cast<Rgb>(c.blue()) << 16;
}
} // namespace

AScanPropertiesDialog::AScanPropertiesDialog(const items::StringSource& strings, SettingsAccess& settings,
                                             QWidget* parent)
    : QDialog(parent), strings_(strings), settings_(settings),
      ok_(new QPushButton(QStringLiteral("OK"), this)), cancel_(new QPushButton(QStringLiteral("Cancel"), this))
{
    setModal(true);
    setWindowTitle(text(strings, 153) + QLatin1Char(' ') + text(strings, 508));
    const QString curve = QLatin1Char(' ') + text(strings, 509);
    const std::array<QString, kColourRoles> captions = {
        text(strings, 512),         text(strings, 513),         text(strings, 514),
        text(strings, 510) + curve, text(strings, 511) + curve, text(strings, 1290) + curve,
    };
    auto* grid = new QGridLayout;
    for (int i = 0; i < kColourRoles; ++i) {
        labels_[i] = new QLabel(captions[i], this);
        swatches_[i] = new QPushButton(this);
        swatches_[i]->setFixedSize(48, 22);
        swatches_[i]->setFlat(true);
        swatches_[i]->setAutoFillBackground(true);
        connect(swatches_[i], &QPushButton::clicked, this, [this, i] { ColourPicture_Click(i); });
        grid->addWidget(labels_[i], i, 0);
        grid->addWidget(swatches_[i], i, 1);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &AScanPropertiesDialog::OKButton_Click);
    connect(cancel_, &QPushButton::clicked, this, &AScanPropertiesDialog::CancelButton_Click);
    chooser_ = [](const QColor& initial, QWidget* parent) -> std::optional<QColor> {
        const QColor c = QColorDialog::getColor(initial, parent);
        return c.isValid() ? std::optional<QColor>(c) : std::nullopt;
    };
    reseed();
}

void AScanPropertiesDialog::reseed()
{
    colours_ = readColours(settings_);
    for (int i = 0; i < kColourRoles; ++i)
        paintSwatch(i);
}

void AScanPropertiesDialog::paintSwatch(int i)
{
    const QColor c = qColour(colours_.values[i]);
    swatches_[i]->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black;").arg(c.name()));
}

void AScanPropertiesDialog::showEvent(QShowEvent* event)
{
    reseed();
    QDialog::showEvent(event);
}

void AScanPropertiesDialog::ColourPicture_Click(int index)
{
    if (index < 0 || index >= kColourRoles || !chooser_)
        return;
    if (const auto picked = chooser_(qColour(colours_.values[index]), this)) {
        colours_.values[index] = rgbOf(*picked) & 0xFFFFFF;
        paintSwatch(index);
    }
}

void AScanPropertiesDialog::OKButton_Click()
{
    saveColours(settings_, colours_);
    accept();
}

void AScanPropertiesDialog::CancelButton_Click()
{
    reject();
}

} // namespace tovu::display
