#pragma once

#include "ui/prompt.h"

#include <vector>

// Answers every message box of the suite with a fixed button (and every check-box message box
// with a fixed check state) and remembers what was asked.
class PromptRecorder {
public:
    explicit PromptRecorder(int answer = IDOK, bool checkBoxAnswer = false);
    ~PromptRecorder();
    PromptRecorder(const PromptRecorder&) = delete;
    PromptRecorder& operator=(const PromptRecorder&) = delete;

    // As they were asked (the check state as it came in).
    const std::vector<PromptRequest>& Prompts() const { return prompts_; }

private:
    std::vector<PromptRequest> prompts_;
    PromptHandler previous_;
};
