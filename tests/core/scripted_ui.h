#pragma once
// A user interface whose answers a test writes beforehand: message box answers and
// chooser results are taken in order; everything asked is recorded. It installs itself
// for its lifetime. A message box nobody scripted fails the test; an information box
// with only OK is answered OK.

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/port/ui_port.h"

namespace zarvik::test_support {

class ScriptedUi : public HUiPort {
public:
    struct Message {
        std::string text;
        std::string caption;
        HMsgIcon icon;
        HMsgButtons buttons;
    };

    ScriptedUi() { SetUiPort(this); }
    ~ScriptedUi() override { SetUiPort(nullptr); }
    ScriptedUi(const ScriptedUi&) = delete;
    ScriptedUi& operator=(const ScriptedUi&) = delete;

    HMsgAnswer MessageBox(const std::string& text, const std::string& caption, HMsgIcon icon,
                          HMsgButtons buttons) override {
        messages.push_back({text, caption, icon, buttons});
        if (buttons == HMsgButtons::Ok) {
            return HMsgAnswer::Ok;
        }
        if (answers.empty()) {
            // An unscripted question must not loop a test forever: it fails and cancels.
            ADD_FAILURE() << "unexpected message box: " << text;
            return buttons == HMsgButtons::YesNo || buttons == HMsgButtons::YesNoCancel
                       ? HMsgAnswer::No
                       : HMsgAnswer::Cancel;
        }
        const HMsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void SetStatusPane(int pane, const std::string& text) override { panes[pane] = text; }
    std::optional<std::string> ChooseOpenFile(const HFileChooser& chooser) override {
        return Take(chooser);
    }
    std::optional<std::string> ChooseSaveFile(const HFileChooser& chooser) override {
        return Take(chooser);
    }
    void AddRecentFile(const std::string& path) override { recent.push_back(path); }

    // The texts of the message boxes shown so far, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Message& message : messages) {
            texts.push_back(message.text);
        }
        return texts;
    }

    std::deque<HMsgAnswer> answers;
    std::deque<std::optional<std::string>> chosen;  // nullopt: the chooser is cancelled
    std::vector<Message> messages;
    std::vector<HFileChooser> choosers;
    std::vector<std::string> recent;
    std::map<int, std::string> panes;

private:
    std::optional<std::string> Take(const HFileChooser& chooser) {
        choosers.push_back(chooser);
        if (chosen.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> path = chosen.front();
        chosen.pop_front();
        return path;
    }
};

}  // namespace zarvik::test_support
