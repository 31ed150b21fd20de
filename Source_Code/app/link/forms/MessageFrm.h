#pragma once
// The small wait window with one label, shown while the live settings are saved or
// restored and while the privileges are read.

#include "app/items/StringSource.h"
#include "app/link/TransferView.h"

#include <QDialog>

class QLabel;

namespace tovu::link {

class MessageFrm final : public QDialog, public MessageView {
    Q_OBJECT
public:
    explicit MessageFrm(const items::StringSource& strings, QWidget* parent = nullptr);

    void setMessage(const QString& text) override;
    void showModeless() override;
    void hide() override { QDialog::hide(); }

    QLabel* msgLabel() const { return label_; }

private:
    static constexpr int kLeastWidth = 320;
    void fitMessage();

    QLabel* label_;
};

} // namespace tovu::link
