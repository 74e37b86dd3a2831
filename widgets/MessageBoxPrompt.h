#pragma once

#include "widgets/Prompt.h"

// The real boxes, modal over their parent.
class MessageBoxPrompt : public Prompt
{
public:
    bool ask(QWidget* parent, const QString& question, Default defaultButton = Default::Yes) override;
    void notify(QWidget* parent, const QString& message) override;
    void reportError(QWidget* parent, const QString& message) override;
};
