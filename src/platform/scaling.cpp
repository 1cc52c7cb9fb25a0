#include "platform/scaling.h"

#include "platform/prompt.h"

#include <QHeaderView>
#include <QTableView>
#include <QTreeView>
#include <cmath>
#include <limits>

namespace platform {

namespace {

using K = ControlKind;

bool outOfRange(double v)
{
    return !std::isfinite(v) || std::abs(v) > 2147483647.0;
}

void scaleFont(QWidget* w, double factor)
{
    QFont f = w->font();
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * factor);
    w->setFont(f);
}

/// The controls of a window in the order the window holds them.
QList<QWidget*> controlsOf(QWidget* window)
{
    QList<QWidget*> result;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (kindOf(w) != K::Other)
            result.append(w);
    return result;
}

}  // namespace

QHeaderView* columnHeader(QWidget* w)
{
    if (auto* table = qobject_cast<QTableView*>(w))
        return table->horizontalHeader();
    if (auto* tree = qobject_cast<QTreeView*>(w))
        return tree->header();
    return nullptr;
}

void scaleColumns(QWidget* w, double factor)
{
    if (!w)
        return;
    if (QHeaderView* h = columnHeader(w))
        for (int i = 0; i < h->count(); ++i)
            h->resizeSection(i, static_cast<int>(std::lround(h->sectionSize(i) * factor)));
}

ScaleRule ScaleRule::resizeForm()
{
    ScaleRule r;
    r.placement = Placement::AboveCentre170;
    r.ownFont = OwnFont::TimesH;
    r.sized = {K::Label, K::TextBox, K::CommandButton, K::ListBox, K::ComboBox, K::Frame,
               K::CheckBox, K::OptionButton, K::Image, K::ListView};
    r.fonted = r.sized;
    r.fonted.erase(K::Image);
    r.controlFont = ControlFont::SmallerOfWH;
    r.comboKeepsHeight = true;
    r.listViewColumns = true;
    return r;
}

ScaleRule ScaleRule::phoneSettings()
{
    ScaleRule r;
    r.sized = {K::Label, K::TextBox, K::CommandButton, K::ListBox, K::Frame, K::OptionButton,
               K::CheckBox};
    r.fonted = r.sized;
    r.controlFont = ControlFont::WCappedAt15;
    return r;
}

ScaleRule ScaleRule::countyChange(bool withCheckBoxes)
{
    ScaleRule r;
    r.sized = {K::Label, K::TextBox, K::CommandButton, K::ListBox, K::Frame, K::OptionButton,
               K::Image, K::ListView};
    if (withCheckBoxes)
        r.sized.insert(K::CheckBox);
    r.fonted = r.sized;
    r.fonted.erase(K::Image);
    r.controlFont = ControlFont::WCappedAt15;
    return r;
}

ScaleRule ScaleRule::helpPage()
{
    ScaleRule r;
    r.ownFont = OwnFont::TimesW;
    r.sized = {K::Label, K::TextBox, K::CommandButton, K::ListBox, K::Image};
    r.fonted = {K::Label, K::TextBox, K::CommandButton, K::ListBox};
    r.controlFont = ControlFont::SmallerOfWH;
    return r;
}

ScaleRule ScaleRule::multiplierColors()
{
    ScaleRule r;
    r.ownFont = OwnFont::TimesW;
    r.sized = {K::Label, K::TextBox, K::CommandButton, K::ListBox, K::CheckBox, K::Image};
    r.fonted = {K::Label, K::TextBox, K::CommandButton, K::ListBox, K::CheckBox};
    r.controlFont = ControlFont::W;
    return r;
}

ScaleRule ScaleRule::mainWindow()
{
    ScaleRule r;
    r.sized = {K::Label, K::TextBox, K::CommandButton, K::ListBox, K::Frame, K::OptionButton,
               K::CheckBox, K::ListView};
    r.fonted = r.sized;
    r.controlFont = ControlFont::SmallerOfWH;
    return r;
}

QString scaleWindow(QWidget* window, const ScreenMetrics& screen, const ScaleRule& rule)
{
    const float W = static_cast<float>(screen.widthTwips / DesignScreenWidth);
    const float H = static_cast<float>(screen.heightTwips / DesignScreenHeight);
    if (outOfRange(W) || outOfRange(H))
        return QStringLiteral("Overflow");

    QRectF g = windowTwipGeometry(window);
    const double width = g.width() / DesignScreenWidth * screen.widthTwips;
    const double height = g.height() / DesignScreenHeight * screen.heightTwips;
    if (outOfRange(width) || outOfRange(height))
        return QStringLiteral("Overflow");
    setWindowTwipSize(window, width, height);
    double top = (screen.heightTwips - height) / 2;
    if (rule.placement == ScaleRule::Placement::AboveCentre170)
        top -= 170;
    setWindowTwipPos(window, (screen.widthTwips - width) / 2, top);

    switch (rule.ownFont) {
    case ScaleRule::OwnFont::TimesH: scaleFont(window, H); break;
    case ScaleRule::OwnFont::TimesW: scaleFont(window, W); break;
    case ScaleRule::OwnFont::TimesNewWidthRatio: scaleFont(window, width / DesignScreenWidth); break;
    }

    double fontFactor = W <= H ? W : H;
    if (rule.controlFont == ScaleRule::ControlFont::W)
        fontFactor = W;
    else if (rule.controlFont == ScaleRule::ControlFont::WCappedAt15)
        fontFactor = W > 1.5f ? 1.5 : W;

    for (QWidget* c : controlsOf(window)) {
        const ControlKind kind = kindOf(c);
        if (kind == K::Line) {
            auto* line = static_cast<LineControl*>(c);
            line->setLine(line->X1() * W, line->Y1() * H, line->X2() * W, line->Y2() * H);
            continue;
        }
        if (rule.sized.count(kind)) {
            QRectF t = twipGeometry(c);
            const double h = (kind == K::ComboBox && rule.comboKeepsHeight) ? t.height()
                                                                              : t.height() * H;
            const QRectF scaled(t.left() * W, t.top() * H, t.width() * W, h);
            if (outOfRange(scaled.right()) || outOfRange(scaled.bottom()))
                return QStringLiteral("Overflow");
            setTwipGeometry(c, scaled);
            if (rule.fonted.count(kind))
                scaleFont(c, fontFactor);
        }
        if (kind == K::ListView && rule.listViewColumns)
            scaleColumns(c, W);
    }
    return {};
}

void ResizeForm(QWidget* window, const Screen& screen, Prompt& prompt)
{
    const QString error = scaleWindow(window, screen.metrics(), ScaleRule::resizeForm());
    if (!error.isEmpty())
        prompt.message(error, QStringLiteral("Form Resize Error"));
}

void ResizeFormTo(QWidget* window, float TargetWidth, float TargetHeight, float DesignWidth,
                  float DesignHeight, quint8 UseTargetSize, float FontGrowth,
                  const QString& FontName, Prompt& prompt)
{
    const QRectF old = windowTwipGeometry(window);
    double width = TargetWidth;
    double height = TargetHeight;
    if (UseTargetSize != 1) {
        width = old.width() / DesignWidth * TargetWidth;
        height = old.height() / DesignHeight * TargetHeight;
    }
    const float Rw = static_cast<float>(width / old.width());
    const float Rh = static_cast<float>(height / old.height());
    if (outOfRange(width) || outOfRange(height) || outOfRange(Rw) || outOfRange(Rh)) {
        prompt.message(QStringLiteral("Overflow"), QStringLiteral("Form Resize Error"));
        return;
    }
    setWindowTwipSize(window, width, height);
    setWindowTwipPos(window, (TargetWidth - width) / 2, (TargetHeight - height) / 2);

    const double R = Rw <= Rh ? Rw : Rh;
    const double G = height > old.height() ? 1 + (R - 1) * FontGrowth : R;
    auto applyFont = [&](QWidget* w) {
        QFont f = w->font();
        if (!FontName.isEmpty())
            f.setFamily(FontName);
        if (f.pointSizeF() > 0)
            f.setPointSizeF(f.pointSizeF() * G);
        w->setFont(f);
    };
    applyFont(window);

    for (QWidget* c : controlsOf(window)) {
        const ControlKind kind = kindOf(c);
        if (kind == K::Line) {
            auto* line = static_cast<LineControl*>(c);
            line->setLine(line->X1() * Rw, line->Y1() * Rh, line->X2() * Rw, line->Y2() * Rh);
            continue;
        }
        const QRectF t = twipGeometry(c);
        setTwipGeometry(c, QRectF(t.left() * Rw, t.top() * Rh, t.width() * Rw, t.height() * Rh));
        if (kind != K::Image)
            applyFont(c);
        if (kind == K::ListView)
            scaleColumns(c, Rw);
    }
}

}  // namespace platform
