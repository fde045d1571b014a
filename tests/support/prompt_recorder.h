#pragma once

#include "ui/prompt.h"

#include <string>
#include <vector>

// Answers every message box of the suite with a fixed button and remembers what was shown.
class PromptRecorder {
public:
    struct Prompt {
        HWND owner;
        std::string text;
        std::string caption;
        UINT style;
    };

    explicit PromptRecorder(int answer = IDOK);
    ~PromptRecorder();
    PromptRecorder(const PromptRecorder&) = delete;
    PromptRecorder& operator=(const PromptRecorder&) = delete;

    const std::vector<Prompt>& Prompts() const { return prompts_; }

private:
    std::vector<Prompt> prompts_;
    PromptHandler previous_;
};
