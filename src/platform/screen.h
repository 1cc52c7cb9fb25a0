#pragma once
// The screen a window lays itself out on, in twips (15 twips a pixel). Tests
// use a fixed screen so layouts are the same on every machine.

#include <QRectF>

namespace platform {

constexpr double TwipsPerPixel = 15.0;

struct ScreenMetrics {
    double widthTwips = 9600;
    double heightTwips = 7200;
    QRectF workAreaTwips{0, 0, 9600, 7200};  ///< the screen less the taskbar
};

class Screen {
public:
    virtual ~Screen() = default;
    [[nodiscard]] virtual ScreenMetrics metrics() const;
};

class FixedScreen final : public Screen {
public:
    explicit FixedScreen(ScreenMetrics m = {}) : m_metrics(m) {}
    void set(ScreenMetrics m) { m_metrics = m; }
    ScreenMetrics metrics() const override { return m_metrics; }

private:
    ScreenMetrics m_metrics;
};

}  // namespace platform
