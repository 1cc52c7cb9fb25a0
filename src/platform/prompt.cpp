#include "platform/prompt.h"

#include "platform/colors.h"
#include "platform/end_signals.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace platform {

namespace {
QWidget* parentWindow() { return QApplication::activeWindow(); }
}  // namespace

QString qtFileFilter(const QString& filter)
{
    if (!filter.contains(u'|'))
        return filter;
    const QStringList parts = filter.split(u'|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed().replace(u';', u' ');
        result << (description.contains(u'(') ? description
                                               : description + QStringLiteral(" (") + patterns + u')');
    }
    return result.join(QStringLiteral(";;"));
}

MsgResult WidgetPrompt::messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                                   const QString& title)
{
    // The program is ending on a signal: nobody is there to answer, so each
    // box gets its cancelling answer without being shown, and a box that was
    // open when the signal came is closed with that answer.
    const auto cancelling = [buttons] {
        switch (buttons) {
        case MsgButtons::Ok: return MsgResult::Ok;
        case MsgButtons::YesNo: return MsgResult::No;
        default: return MsgResult::Cancel;
        }
    };
    if (endRequested())
        return cancelling();
    QMessageBox box(parentWindow());
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    const int answer = box.exec();
    if (endRequested())
        return cancelling();
    switch (answer) {
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Cancel: return MsgResult::Cancel;
    default: return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Ok;
    }
}

QString WidgetPrompt::inputBox(const QString& text, const QString& title, const QString& defaultText)
{
    if (endRequested())
        return {};
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parentWindow(), title, text, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

QString WidgetPrompt::openFileName(const FileDialogRequest& request)
{
    if (endRequested())
        return {};
    QString start = request.initialDir;
    if (!request.fileName.isEmpty())
        start += u'/' + request.fileName;
    return QFileDialog::getOpenFileName(parentWindow(), request.title, start, qtFileFilter(request.filter));
}

QString WidgetPrompt::saveFileName(const FileDialogRequest& request)
{
    if (endRequested())
        return {};
    QString start = request.initialDir;
    if (!request.fileName.isEmpty())
        start += u'/' + request.fileName;
    return QFileDialog::getSaveFileName(parentWindow(), request.title, start, qtFileFilter(request.filter));
}

std::optional<qint32> WidgetPrompt::chooseColor(qint32 initial)
{
    if (endRequested())
        return std::nullopt;
    const QColor chosen = QColorDialog::getColor(vbColorToQColor(initial), parentWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return qColorToVbColor(chosen);
}

bool ScriptedPrompt::anyShownWithTitle(const QString& title) const
{
    return countShownWithTitle(title) > 0;
}

int ScriptedPrompt::countShownWithTitle(const QString& title) const
{
    int n = 0;
    for (const auto& s : m_shown)
        if (s.title == title)
            ++n;
    return n;
}

std::optional<ScriptedPrompt::Answer> ScriptedPrompt::next()
{
    std::optional<Answer> a;
    if (!m_answers.empty()) {
        a.emplace(std::move(m_answers.front()));
        m_answers.pop_front();
    }
    return a;
}

MsgResult ScriptedPrompt::messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                                     const QString& title)
{
    m_shown.push_back({Kind::Message, text, title, {}, buttons, icon});
    if (buttons == MsgButtons::Ok)
        return MsgResult::Ok;
    if (auto a = next(); a && std::holds_alternative<MsgResult>(*a))
        return std::get<MsgResult>(*a);
    return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
}

QString ScriptedPrompt::inputBox(const QString& text, const QString& title, const QString& defaultText)
{
    m_shown.push_back({Kind::Input, text, title, defaultText});
    if (auto a = next(); a && std::holds_alternative<QString>(*a))
        return std::get<QString>(*a);
    return {};
}

QString ScriptedPrompt::openFileName(const FileDialogRequest& request)
{
    m_shown.push_back({Kind::OpenFile, request.fileName, request.title, request.initialDir});
    if (auto a = next(); a && std::holds_alternative<QString>(*a))
        return std::get<QString>(*a);
    return {};
}

QString ScriptedPrompt::saveFileName(const FileDialogRequest& request)
{
    m_shown.push_back({Kind::SaveFile, request.fileName, request.title, request.initialDir});
    if (auto a = next(); a && std::holds_alternative<QString>(*a))
        return std::get<QString>(*a);
    return {};
}

std::optional<qint32> ScriptedPrompt::chooseColor(qint32 initial)
{
    m_shown.push_back({Kind::Color, QString::number(initial), QStringLiteral("Color"), {}});
    if (auto a = next(); a && std::holds_alternative<std::optional<qint32>>(*a))
        return std::get<std::optional<qint32>>(*a);
    return std::nullopt;
}

}  // namespace platform
