#pragma once
// The link on a pseudo-terminal against the instrument simulator, or against the serial
// device TOVU_TEST_PORT names. Real waits, scaled down by the factor the test chooses.

#include "app/items/ItemStore.h"
#include "app/items/StringSource.h"
#include "app/link/LinkContext.h"
#include "app/link/SystemClock.h"
#include "WireLog.h"
#include "instrument-sim/InstrumentSimulator.h"
#include "platform/serial/DevicePort.h"

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace tovu::link::test {

struct PlainStrings : items::StringSource {
    QString GetResString(int id) const override
    {
        const QString s = QStringLiteral("string ") + QString::number(id);
        return id >= 6140 && id < 6200 ? s + QStringLiteral(" [%1] [%2]") : s;
    }
};

// The device named by TOVU_TEST_PORT, or nothing.
inline std::optional<QString> externalPort()
{
    const QByteArray env = qgetenv("TOVU_TEST_PORT");
    if (env.isEmpty())
        return std::nullopt;
    return QString::fromLocal8Bit(env);
}

// An event pump that can run a test's action at a given yield.
class HookedPump final : public EventPump {
public:
    explicit HookedPump(Clock& c) : real_(c) {}
    void doEvents() override
    {
        ++yields;
        if (onYield)
            onYield(yields);
        real_.doEvents();
    }
    void waitMs(int ms) override { real_.waitMs(ms); }
    int yields = 0;
    std::function<void(int)> onYield;

private:
    QtEventPump real_;
};

class SimLink {
public:
    // scale: factor on every wait and timeout of the link (and the simulator's own waits).
    // logWire: the link runs on `wire`, which keeps every exchange.
    explicit SimLink(sim::SimOptions options, double scale, const QString& device = {}, bool logWire = false)
        : clock(scale), pump(clock)
    {
        if (device.isEmpty()) {
            options.timeScale = scale;
            sim = std::make_unique<sim::InstrumentSimulator>(options);
            std::string error;
            started = sim->start(&error);
            startError = QString::fromStdString(error);
            path = QString::fromStdString(sim->slavePath());
        } else {
            started = true;
            path = device;
        }
        port = std::make_unique<platform::serial::DevicePort>(platform::serial::PortMap(
            [this](const QString& section, const QString& key) {
                return section == QLatin1String("Ports") && key == QLatin1String("COM1") ? path : QString();
            }));
        port->setSettings(QStringLiteral("%1,N,8,1").arg(options.baud));
        if (logWire) {
            wire = std::make_unique<WireLog>(*port);
            wire->setSettings(port->settings());
        }
        ctx = std::make_unique<LinkContext>(wire ? static_cast<platform::serial::SerialPort&>(*wire) : *port, clock,
                                            pump, store, strings);
    }
    ~SimLink()
    {
        ctx.reset();
        wire.reset();
        port.reset();
        if (sim)
            sim->stop();
    }

    // Commands the instrument received, in order.
    QStringList received() const
    {
        QStringList out;
        for (const auto& e : sim->transcript())
            out << QString::fromLatin1(e.received.c_str());
        return out;
    }

    SystemClock clock;
    HookedPump pump;
    std::unique_ptr<sim::InstrumentSimulator> sim;
    bool started = false;
    QString startError;
    QString path;
    std::unique_ptr<platform::serial::DevicePort> port;
    std::unique_ptr<WireLog> wire;
    items::ItemStore store;
    PlainStrings strings;
    std::unique_ptr<LinkContext> ctx;
};

} // namespace tovu::link::test
