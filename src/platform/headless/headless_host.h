// A window host without windows: it keeps a log of what a real host would have done, so tests
// can check the lifecycle and drive the forms through the same user operations.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/window_host.h"

namespace sarnex::headless {

class HeadlessHost final : public forms::WindowHost, private forms::FormObserver {
public:
    void CreateWindowFor(forms::Form& form) override;
    void ShowWindowFor(forms::Form& form) override;
    void RefreshWindowFor(forms::Form& form) override;
    void DestroyWindowFor(forms::Form& form) override;
    void MakeTopmost(forms::Form& form) override;
    // Answers with the next answer a test queued, or else by the answering rule of a program that
    // runs the forms without a user; a question nobody expected is a fault.
    bool AskYesNo(forms::Form& owner, const std::string& title, const std::string& text) override;
    void AnswerBy(std::function<bool(const std::string& title)> rule) { rule_ = std::move(rule); }
    // Recorded in Messages().
    void Tell(forms::Form& owner, const std::string& title, const std::string& text) override;

    struct Question {
        std::string owner, title, text;
        friend bool operator==(const Question&, const Question&) = default;
    };
    void QueueAnswer(bool yes) { answers_.push_back(yes); }
    const std::vector<Question>& Questions() const { return questions_; }
    const std::vector<Question>& Messages() const { return messages_; }
    std::size_t UnusedAnswers() const { return answers_.size(); }

    // One line per window operation, e.g. "create Editor", "show Editor", "topmost RegistryReadFailedNotice",
    // "ask Editor Sarnex Settings Check".
    const std::vector<std::string>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    // Forms currently shown, in the order they were shown.
    std::vector<std::string> ShownForms() const;

private:
    void ControlChanged(forms::Control&, forms::Property) override {}
    void FocusChanged(forms::Form&, forms::Control*) override {}

    std::vector<std::string> log_;
    std::vector<std::string> shown_;
    std::vector<Question> questions_;
    std::vector<Question> messages_;
    std::deque<bool> answers_;
    std::function<bool(const std::string& title)> rule_;
};

}  // namespace sarnex::headless
