#include "support/prompt_recorder.h"

PromptRecorder::PromptRecorder(int answer)
{
    previous_ = SetPromptHandler([this, answer](HWND owner, const std::string& text,
                                                const std::string& caption, UINT style) {
        prompts_.push_back({owner, text, caption, style});
        return answer;
    });
}

PromptRecorder::~PromptRecorder() { SetPromptHandler(previous_); }
