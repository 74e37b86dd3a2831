#pragma once

#include "widgets/Prompt.h"

#include <QQueue>
#include <QStringList>

// Answers the program's boxes in place of the user. Queue answers before the action; every
// box shown is recorded. A question with no queued answer counts as "いいえ(&N)" and is
// recorded in unexpected(), so that a test sees a question it did not plan for.
class ScriptedPrompt : public Prompt
{
public:
    ScriptedPrompt() { Prompt::setInstance(this); }
    ~ScriptedPrompt() override { Prompt::setInstance(nullptr); }
    ScriptedPrompt(const ScriptedPrompt&) = delete;
    ScriptedPrompt& operator=(const ScriptedPrompt&) = delete;

    void answerYes() { m_answers.enqueue(true); }
    void answerNo() { m_answers.enqueue(false); }

    bool ask(QWidget*, const QString& question, Default defaultButton = Default::Yes) override
    {
        questions.append(question);
        if (defaultButton == Default::No) {
            defaultNo.append(question);
        }
        if (m_answers.isEmpty()) {
            unexpected.append(question);
            return false;
        }
        return m_answers.dequeue();
    }
    void notify(QWidget*, const QString& message) override { notices.append(message); }
    void reportError(QWidget*, const QString& message) override { errors.append(message); }

    int pendingAnswers() const { return static_cast<int>(m_answers.size()); }

    QStringList questions;
    QStringList notices;
    QStringList errors;
    QStringList unexpected;
    QStringList defaultNo; // questions whose Enter answers "いいえ(&N)"

private:
    QQueue<bool> m_answers;
};
