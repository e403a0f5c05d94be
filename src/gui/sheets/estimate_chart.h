#pragma once
// The chart of the simple estimate sheet: the fixed boxes and connectors with the figures
// of the document's estimate, computed afresh for every paint. One box at a time has the
// focus; the mouse and the keyboard move it.

#include <QWidget>
#include <vector>

#include "core/fp/estimate_sheet.h"

namespace zarvik {
class CZarvikDoc;
}

namespace zarvik::gui {

class HEstimateChart : public QWidget {
    Q_OBJECT
public:
    explicit HEstimateChart(const CZarvikDoc& doc, QWidget* parent = nullptr);

    // The box with the focus, 0 for none.
    int32_t FocusedBox() const;
    // Gives box id the focus and repaints; FocusMoved asks for it to be shown.
    void SetFocusBox(int32_t id);
    // The rectangle of box id in the chart, empty for no box.
    QRect BoxRect(int32_t id) const;
    // What box line shows now ("" past the lines a box has).
    QString LineText(int32_t id, int line) const;
    // The colour its text is written in.
    QColor TextColor(int32_t id) const;

signals:
    void FocusMoved(const QRect& box);
    // The menu of box id (0: outside the boxes) at a global point.
    void MenuRequested(int32_t id, const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void PaintBox(QPainter& painter, const HInfoKantanItem& box, const HKantanBoxText& text);
    HKantanBoxText TextOf(int32_t id) const;
    void SetPressed(int32_t id);

    const CZarvikDoc& m_doc;
    std::vector<HInfoKantanItem> m_items;
    std::vector<HInfoKantanLine> m_lines;
};

}  // namespace zarvik::gui
