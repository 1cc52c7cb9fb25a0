#pragma once
// Every message box, input box, file dialog and colour dialog of the program
// goes through a Prompt, so that tests answer them from a script and never
// wait on a modal dialog.

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <variant>
#include <vector>

class QWidget;

namespace platform {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    QString title;
    QString initialDir;
    QString fileName;  ///< proposed file name (save) or initial selection
    /// "Description|pattern" pairs separated by "|" ("Log Files (*.log)|*.log"),
    /// or a Qt filter ("Log files (*.log)").
    QString filter;
};

/// The Qt form of a file filter given as "Description|pattern" pairs.
[[nodiscard]] QString qtFileFilter(const QString& filter);

class Prompt {
public:
    virtual ~Prompt() = default;

    virtual MsgResult messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                                 const QString& title) = 0;
    /// Returns the typed text; Cancel gives an empty text.
    virtual QString inputBox(const QString& text, const QString& title,
                             const QString& defaultText) = 0;
    /// Returns the chosen path; Cancel gives an empty text.
    virtual QString openFileName(const FileDialogRequest& request) = 0;
    virtual QString saveFileName(const FileDialogRequest& request) = 0;
    /// A colour as a Windows colour value (0x00BBGGRR); nullopt on Cancel.
    virtual std::optional<qint32> chooseColor(qint32 initial) = 0;

    void message(const QString& text, const QString& title, MsgIcon icon = MsgIcon::None)
    {
        messageBox(text, MsgButtons::Ok, icon, title);
    }
    bool askYesNo(const QString& text, const QString& title, MsgIcon icon = MsgIcon::None)
    {
        return messageBox(text, MsgButtons::YesNo, icon, title) == MsgResult::Yes;
    }
};

/// The real dialogs, parented to the active window.
class WidgetPrompt final : public Prompt {
public:
    MsgResult messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                         const QString& title) override;
    QString inputBox(const QString& text, const QString& title, const QString& defaultText) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    std::optional<qint32> chooseColor(qint32 initial) override;
};

/// Answers prompts from a queue and records every prompt shown. With the
/// queue empty a box gets its cancelling answer (OK for a plain box, No for
/// Yes/No, Cancel otherwise) and input and file dialogs an empty text.
class ScriptedPrompt final : public Prompt {
public:
    enum class Kind { Message, Input, OpenFile, SaveFile, Color };
    struct Shown {
        Kind kind;
        QString text;
        QString title;
        QString defaultText;
        MsgButtons buttons = MsgButtons::Ok;
        MsgIcon icon = MsgIcon::None;
    };
    using Answer = std::variant<MsgResult, QString, std::optional<qint32>>;

    void answer(MsgResult result) { m_answers.emplace_back(result); }
    void answer(const QString& text) { m_answers.emplace_back(text); }
    void answerColor(std::optional<qint32> color) { m_answers.emplace_back(color); }

    [[nodiscard]] const std::vector<Shown>& shown() const { return m_shown; }
    [[nodiscard]] bool anyShownWithTitle(const QString& title) const;
    [[nodiscard]] int countShownWithTitle(const QString& title) const;
    [[nodiscard]] std::size_t pendingAnswers() const { return m_answers.size(); }
    void clear() { m_shown.clear(); m_answers.clear(); }

    MsgResult messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                         const QString& title) override;
    QString inputBox(const QString& text, const QString& title, const QString& defaultText) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    std::optional<qint32> chooseColor(qint32 initial) override;

private:
    std::optional<Answer> next();
    std::deque<Answer> m_answers;
    std::vector<Shown> m_shown;
};

}  // namespace platform
