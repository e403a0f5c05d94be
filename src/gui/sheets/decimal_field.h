#pragma once
// Binds an edit to a x100 field: digits and one decimal point, stored at once as typed,
// shown again only when the text no longer reads as the value, and checked against the
// field's range when the edit loses the focus.

#include <QObject>
#include <cstdint>

class QLineEdit;

namespace zarvik {
class HInfoRule;
struct HRuleFieldRange;
}  // namespace zarvik

namespace zarvik::gui {

class HDecimalField : public QObject {
public:
    // rule and range only for a rule field with a range.
    HDecimalField(QLineEdit* edit, int32_t* field, HInfoRule* rule = nullptr,
                  const HRuleFieldRange* range = nullptr);

    void Show();
    void SetField(int32_t* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_edit;
    int32_t* m_field;
    HInfoRule* m_rule;
    const HRuleFieldRange* m_range;
    bool m_checking = false;
};

}  // namespace zarvik::gui
