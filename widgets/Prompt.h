#pragma once

#include <QString>

class QWidget;

// Every question, notice and error box of the program goes through here, so that tests can
// answer them in advance instead of waiting for a modal box.
class Prompt
{
public:
    virtual ~Prompt() = default;

    // The button Enter presses in a question.
    enum class Default
    {
        Yes,
        No, // where a habitual Enter would waste a form
    };

    // A question without icon: "はい(&Y)" and "いいえ(&N)" (Escape, close); `defaultButton`
    // is the one Enter presses. True only for "はい(&Y)".
    virtual bool ask(QWidget* parent, const QString& question, Default defaultButton = Default::Yes) = 0;
    // A plain notice with the single button "OK".
    virtual void notify(QWidget* parent, const QString& message) = 0;
    // The standard error report: stop icon, the text as given.
    virtual void reportError(QWidget* parent, const QString& message) = 0;

    // The prompt in force; the message boxes unless a test installed another.
    static Prompt& instance();
    // Installs `prompt` (not owned); nullptr restores the message boxes.
    static void setInstance(Prompt* prompt);
};

// The application's title, the caption of every box.
QString ApplicationTitle();
