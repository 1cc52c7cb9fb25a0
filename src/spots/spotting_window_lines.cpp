// The spotting window's monitor and the road of received text: TNC lines and
// telnet blocks are shown, tested for spots and handed on to the main
// window; the timer polls the sources and redraws the band map now and then.
//
// Text arrives in bursts (a TNC read, a telnet data event): the monitor box
// is drawn once per burst, after the handler, not once per line.

#include "spots/spotting_window.h"

#include "app/forwarding_window.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

using spots::ConnectionKind;

void SpottingWindow::replaceMonitor(const QString& text)
{
    m_monitor = text;
    m_monitorCaret = 0;
    refreshMonitorBox();
}

void SpottingWindow::appendMonitor(const QString& text)
{
    m_monitor += text;
    refreshMonitorBox();
}

void SpottingWindow::TrimMonitor()
{
    m_monitor = spots::trimmedMonitor(m_monitor);
    if (m_monitor.size() > 2)
        m_monitorCaret = m_monitor.size() - 1;
    refreshMonitorBox();
}

bool SpottingWindow::isRepeatOfMonitor(const QString& unit) const
{
    return spots::isRepeatOfMonitor(m_monitor, unit);
}

void SpottingWindow::refreshMonitorBox()
{
    if (m_monitorRefreshPending)
        return;
    m_monitorRefreshPending = true;
    QTimer::singleShot(0, this, [this] {
        m_monitorRefreshPending = false;
        // The box shows each CR LF as one line break.
        QString shown = m_monitor;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        shown.replace(u'\r', u'\n');
        monitorBox->setPlainText(shown);
        QTextCursor cursor = monitorBox->textCursor();
        cursor.movePosition(m_monitorCaret > 1 ? QTextCursor::End : QTextCursor::Start);
        monitorBox->setTextCursor(cursor);
        monitorBox->ensureCursorVisible();
    });
}

void SpottingWindow::ForwardSpot(const QString& frequency, const QString& call, const QString& line)
{
    LabelUpdateTimeCounter = 0;
    if (line.size() < 3)
        return;
    QString qDXSpotCall = call;
    QString qDXSpotFreq = frequency;
    QString qDXSpotRecord = spots::trimBlanks(line.mid(3));
    if (ForwardingWindow* form1 = m_forwardingWindow ? m_forwardingWindow() : nullptr)
        form1->BandMapSpots(qDXSpotCall, qDXSpotFreq, qDXSpotRecord);
}

void SpottingWindow::receiveTncText(const QString& received)
{
    if (received.isEmpty())
        return;
    // Each line keeps a line end, CR LF whatever the TNC sent, so that it
    // shows as a line and its record ends at the CR.
    for (const QString& line : m_tncLines.add(received))
        ProcessTncLine(line + QStringLiteral("\r\n"));
    endOfBurst();
}

void SpottingWindow::endOfBurst()
{
    if (spotBurstHandled)
        spotBurstHandled();
}

void SpottingWindow::ProcessTncLine(const QString& line)
{
    // A line the TNC repeats while its copy is still in view is dropped.
    if (isRepeatOfMonitor(line))
        return;
    if (spots::isSpotUnit(line)) {
        appendMonitor(line);
        TrimMonitor();
        const spots::ClusterSpotLine spot = spots::cutSpotLine(line);
        ForwardSpot(spot.frequency, spot.call, line);
    } else if (!listDxOnly()) {
        appendMonitor(line);
        TrimMonitor();
    }
}

void SpottingWindow::receiveTelnetBlock(const QString& block)
{
    if (!listDxOnly() && !block.isEmpty()) {
        appendMonitor(block);
        TrimMonitor();
    }
    // A block may hold several lines, or part of one: every whole line is a
    // unit, and a line split over two blocks is joined first.
    for (const QString& text : m_telnetLines.add(block)) {
        // A spot glued behind a prompt without a line end still counts.
        const QString unit = spots::spotUnitIn(text);
        if (unit.isEmpty())
            continue;
        const QString line = unit + QStringLiteral("\r\n");
        const spots::ClusterSpotLine spot = spots::cutSpotLine(line);
        ForwardSpot(spot.frequency, spot.call, line);
        if (listDxOnly()) {
            appendMonitor(line);
            TrimMonitor();
        }
    }
    endOfBurst();
}

void SpottingWindow::onPollTick()
{
    if (isConnectionType("TNC"))
        connection(ConnectionKind::Tnc).poll();
    if (isConnectionType("AGW Packet Engine")) {
        connection(ConnectionKind::Agw).poll();
        endOfBurst();
    }
    LabelUpdateTimeCounter += 1;
    if (LabelUpdateTimeCounter > 360) {
        LabelUpdateTimeCounter = 0;
        ForwardingWindow* form1 = m_forwardingWindow ? m_forwardingWindow() : nullptr;
        if (form1 && form1->bandMapShown())
            form1->DisplayBandMapLabels();
    }
}
