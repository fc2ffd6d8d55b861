#pragma once
// Answers the program's input boxes from a queue and records what each one asked; the real dialog
// comes back when it goes out of scope. An empty queue answers as a cancelled box.
#include "ui/InputBox.h"

#include <deque>
#include <string>
#include <vector>

namespace tavlo::test {

class InputBoxAnswers {
public:
    struct Question {
        std::wstring Prompt;
        std::wstring Title;
        std::wstring Default;
    };

    InputBoxAnswers()
    {
        previous_ = SetInputBoxHandler([this](HWND, const std::wstring& prompt, const std::wstring& title,
                                              const std::wstring& defaultText) {
            asked.push_back(Question{prompt, title, defaultText});
            if (answers.empty()) return std::wstring();
            std::wstring answer = answers.front();
            answers.pop_front();
            return answer;
        });
    }
    ~InputBoxAnswers() { SetInputBoxHandler(previous_); }
    InputBoxAnswers(const InputBoxAnswers&) = delete;
    InputBoxAnswers& operator=(const InputBoxAnswers&) = delete;

    std::deque<std::wstring> answers;
    std::vector<Question> asked;

private:
    InputBoxHandler previous_;
};

} // namespace tavlo::test
