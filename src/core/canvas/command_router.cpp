#include "core/canvas/command_router.h"

#include "core/canvas/canvas_controller.h"
#include "core/command/command_table.h"
#include "core/doc/clipboard.h"
#include "core/doc/zarvik_doc.h"

namespace zarvik {

HCommandRouter::HCommandRouter(CZarvikDoc& doc, HCanvasController* canvas, HFrameCommands* frame,
                               HClipboard& clipboard)
    : m_doc(doc), m_canvas(canvas), m_frame(frame), m_clipboard(clipboard) {}

int HCommandRouter::IsEnabled(int32_t id) const {
    const HCommandInfo* info = FindCommand(id);
    if (info == nullptr ||
        (info->needsWindow && (m_frame == nullptr || !m_frame->HasWindowCommand(id)))) {
        return 0;
    }
    switch (info->handler) {
        case HCommandHandler::Canvas:
            return m_canvas != nullptr ? m_canvas->IsCommandEnabled(id) : 0;
        case HCommandHandler::Document:
            return m_doc.IsCommandEnabled(id, m_clipboard);
        case HCommandHandler::Frame:
            return 1;
    }
    return 0;
}

int HCommandRouter::IsChecked(int32_t id) const {
    const HCommandInfo* info = FindCommand(id);
    if (info == nullptr) {
        return 0;
    }
    if (info->handler == HCommandHandler::Frame) {
        return m_frame != nullptr ? m_frame->IsBarVisible(id) : 0;
    }
    return info->handler == HCommandHandler::Document ? m_doc.IsCommandChecked(id) : 0;
}

int HCommandRouter::Run(int32_t id) {
    if (!IsEnabled(id)) {
        return 0;
    }
    const HCommandInfo& info = *FindCommand(id);
    switch (info.handler) {
        case HCommandHandler::Canvas:
            // Printing: the canvas lets go of its gesture first, then the window prints.
            return m_canvas->RunCommand(id) && (!info.needsWindow || m_frame->RunWindowCommand(id))
                       ? 1
                       : 0;
        case HCommandHandler::Document:
            return info.needsWindow ? m_frame->RunWindowCommand(id)
                                    : m_doc.RunCommand(id, m_clipboard);
        case HCommandHandler::Frame:
            // The layout moves the boxes: nothing may be half placed or dragged meanwhile.
            if (id == kCmdAutoLayout && m_canvas != nullptr) {
                m_canvas->CancelInteraction();
            }
            return m_frame->RunWindowCommand(id);
    }
    return 0;
}

}  // namespace zarvik
