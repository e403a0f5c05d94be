#include "gui/sheets/text_placement_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <array>

#include "core/port/draw_context.h"
#include "core/records/text_format_page.h"
#include "draw/qt_text.h"

namespace zarvik::gui {

namespace {

class HTextPlacementPage : public QWidget {
public:
    HTextPlacementPage(HItemPartsText& text, std::function<void()> changed, QWidget* parent)
        : QWidget(parent), m_text(text), m_changed(std::move(changed)) {
        setObjectName(QStringLiteral("CDlgSubItemFormat"));
        m_horizontal = NewCombo("horizontalCombo", HorizontalAlignTexts());
        m_vertical = NewCombo("verticalCombo", VerticalAlignTexts());
        m_wordBreak = NewCheck("wordBreakCheck", kWordBreakText);
        m_endEllipsis = NewCheck("endEllipsisCheck", kEndEllipsisText);
        m_freePoint = NewCheck("freePointCheck", kFreePointText);

        auto* grid = new QGridLayout(this);
        grid->addWidget(new QLabel(draw::ToQString(kHorizontalAlignLabel), this), 0, 0);
        grid->addWidget(m_horizontal, 0, 1);
        grid->addWidget(new QLabel(draw::ToQString(kVerticalAlignLabel), this), 1, 0);
        grid->addWidget(m_vertical, 1, 1);
        grid->addWidget(m_wordBreak, 2, 0, 1, 3);
        grid->addWidget(m_endEllipsis, 3, 0, 1, 3);
        grid->addWidget(m_freePoint, 4, 0, 1, 3);
        grid->setColumnStretch(2, 1);
        grid->setRowStretch(5, 1);

        connect(m_horizontal, &QComboBox::activated, this, [this](int index) {
            Change(WithHorizontalAlign(m_text.textFormat, index), m_text.freePoint);
        });
        connect(m_vertical, &QComboBox::activated, this, [this](int index) {
            Change(WithVerticalAlign(m_text.textFormat, index), m_text.freePoint);
        });
        connect(m_wordBreak, &QCheckBox::clicked, this, [this](bool on) {
            Change(WithFormatBit(m_text.textFormat, kDtWordBreak, on), m_text.freePoint);
        });
        connect(m_endEllipsis, &QCheckBox::clicked, this, [this](bool on) {
            Change(WithFormatBit(m_text.textFormat, kDtEndEllipsis, on), m_text.freePoint);
        });
        connect(m_freePoint, &QCheckBox::clicked, this,
                [this](bool on) { Change(m_text.textFormat, on ? 1 : 0); });
        Show();
    }

private:
    QComboBox* NewCombo(const char* name, const std::array<const char*, 3>& texts) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QLatin1String(name));
        for (const char* text : texts) {
            combo->addItem(draw::ToQString(text));
        }
        return combo;
    }

    QCheckBox* NewCheck(const char* name, const char* text) {
        auto* check = new QCheckBox(draw::ToQString(text), this);
        check->setObjectName(QLatin1String(name));
        return check;
    }

    void Change(int32_t format, int32_t freePoint) {
        m_text.textFormat = format;
        m_text.freePoint = freePoint;
        Show();
        if (m_changed) {
            m_changed();
        }
    }

    void Show() {
        const int32_t format = m_text.textFormat;
        {
            const QSignalBlocker quietHorizontal(m_horizontal);
            const QSignalBlocker quietVertical(m_vertical);
            m_horizontal->setCurrentIndex(HorizontalAlignIndex(format));
            m_vertical->setCurrentIndex(VerticalAlignIndex(format));
        }
        m_wordBreak->setChecked((format & kDtWordBreak) != 0);
        m_endEllipsis->setChecked((format & kDtEndEllipsis) != 0);
        m_freePoint->setChecked(IsFreePoint(m_text));

        const HTextPlacementEnabling enabling = TextPlacementEnabling(m_text);
        m_horizontal->setEnabled(enabling.alignLists);
        m_vertical->setEnabled(enabling.alignLists);
        m_wordBreak->setEnabled(enabling.wordBreak);
        m_endEllipsis->setEnabled(enabling.endEllipsis);
    }

    HItemPartsText& m_text;
    std::function<void()> m_changed;
    QComboBox* m_horizontal = nullptr;
    QComboBox* m_vertical = nullptr;
    QCheckBox* m_wordBreak = nullptr;
    QCheckBox* m_endEllipsis = nullptr;
    QCheckBox* m_freePoint = nullptr;
};

}  // namespace

QWidget* NewTextPlacementPage(HItemPartsText& text, std::function<void()> changed,
                              QWidget* parent) {
    return new HTextPlacementPage(text, std::move(changed), parent);
}

}  // namespace zarvik::gui
