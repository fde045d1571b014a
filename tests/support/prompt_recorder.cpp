#include "support/prompt_recorder.h"

PromptRecorder::PromptRecorder(int answer, bool checkBoxAnswer)
{
    previous_ = SetPromptHandler([this, answer, checkBoxAnswer](PromptRequest& request) {
        prompts_.push_back(request);
        if (!request.checkBoxText.empty())
            request.checked = checkBoxAnswer;
        return answer;
    });
}

PromptRecorder::~PromptRecorder() { SetPromptHandler(previous_); }
