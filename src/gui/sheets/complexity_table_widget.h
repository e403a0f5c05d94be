#pragma once
// Paints the complexity table of the record a function sheet edits, as the core lays it out.

#include <QWidget>
#include <functional>

#include "core/fp/complexity_table.h"

namespace zarvik::gui {

class HComplexityTableWidget : public QWidget {
    Q_OBJECT

public:
    // input is asked on every paint, so the table always shows the record as it is now.
    explicit HComplexityTableWidget(std::function<HComplexityInput()> input,
                                    QWidget* parent = nullptr);

    HComplexityTable Table() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<HComplexityInput()> m_input;
};

}  // namespace zarvik::gui
