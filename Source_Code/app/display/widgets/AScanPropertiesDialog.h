#pragma once
// The A-scan colour dialog: six swatches (trace, second trace, gates, DAC, TCG and AVG
// curves); a click on a swatch opens the colour chooser; OK saves all six to the
// settings store. Every showing starts from the stored colours, so a pick left by
// Cancel is never saved later.

#include "app/display/AScanColours.h"
#include "app/items/StringSource.h"

#include <QColor>
#include <QDialog>
#include <array>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;

namespace tovu::display {

class AScanPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    // The chooser returns the picked colour, or nothing when it was cancelled; by default
    // the system colour dialog.
    using ColourChooser = std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

    AScanPropertiesDialog(const items::StringSource& strings, SettingsAccess& settings, QWidget* parent = nullptr);

    void setColourChooser(ColourChooser chooser) { chooser_ = std::move(chooser); }

    // The swatches as they stand.
    const AScanColours& colours() const { return colours_; }
    QPushButton* ColourPicture(int index) const { return swatches_[index]; }
    QLabel* ColourLabel(int index) const { return labels_[index]; }
    QPushButton* OKButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void ColourPicture_Click(int index);
    void OKButton_Click();
    void CancelButton_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void reseed();
    void paintSwatch(int index);

    const items::StringSource& strings_;
    SettingsAccess& settings_;
    AScanColours colours_;
    std::array<QLabel*, kColourRoles> labels_{};
    std::array<QPushButton*, kColourRoles> swatches_{};
    QPushButton* ok_;
    QPushButton* cancel_;
    ColourChooser chooser_;
};

} // namespace tovu::display
