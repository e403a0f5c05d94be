#pragma once
// The core's questions and messages as Qt dialogs, and its status texts in the main
// window's status bar.

#include <QLabel>
#include <QPointer>
#include <array>
#include <functional>

#include "core/port/ui_port.h"

class QWidget;

namespace zarvik::gui {

class HQtUiPort : public HUiPort {
public:
    // parent: the window the dialogs belong to; panes: the status bar's labels for panes 1
    // to 5 (any may be null).
    void SetWindow(QWidget* parent) { m_parent = parent; }
    void SetPane(int pane, QLabel* label);
    // Where opened and saved paths go for the recent files.
    void SetRecentFileSink(std::function<void(const std::string&)> sink) {
        m_recentSink = std::move(sink);
    }

    HMsgAnswer MessageBox(const std::string& text, const std::string& caption, HMsgIcon icon,
                          HMsgButtons buttons) override;
    void SetStatusPane(int pane, const std::string& text) override;
    std::optional<std::string> ChooseOpenFile(const HFileChooser& chooser) override;
    std::optional<std::string> ChooseSaveFile(const HFileChooser& chooser) override;
    void AddRecentFile(const std::string& path) override {
        if (m_recentSink) {
            m_recentSink(path);
        }
    }

private:
    QPointer<QWidget> m_parent;
    std::array<QPointer<QLabel>, 6> m_panes;
    std::function<void(const std::string&)> m_recentSink;
};

// "Label|pattern|Label|pattern||" as the filter list of a Qt file dialog.
QString FileDialogFilter(const std::string& filter);

}  // namespace zarvik::gui
