#include "gui/sheets/font_page.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "core/records/font_page_rules.h"
#include "draw/qt_draw_context.h"
#include "draw/qt_text.h"
#include "gui/frame/cp932_validator.h"
#include "gui/sheets/color_field.h"
#include "gui/sheets/pick_list.h"

namespace zarvik::gui {

namespace {

// "AaBbYyZz" in the label's font and colour on the button face. The widget's own font and
// text colour are the label's.
class HFontSample : public QFrame {
public:
    explicit HFontSample(QWidget* parent) : QFrame(parent) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setMinimumSize(160, 60);
    }

    void Show(const HLogFont& font, HColorRef color) {
        setFont(draw::ToQFont(font));
        QPalette colors = palette();
        colors.setColor(QPalette::WindowText, draw::ToQColor(color));
        setPalette(colors);
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        {
            QPainter painter(this);
            painter.fillRect(rect(), palette().color(QPalette::Button));
            painter.setClipRect(contentsRect());
            painter.setFont(font());
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(contentsRect(), Qt::AlignCenter, draw::ToQString(kFontSampleText));
        }
        QFrame::paintEvent(event);
    }
};

QStringList ToQStringList(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) {
        list.append(draw::ToQString(text));
    }
    return list;
}

std::vector<std::string> InstalledJapaneseFaces() {
    std::vector<std::string> faces;
    for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
        faces.push_back(draw::ToStdString(family));
    }
    return faces;
}

class HFontPage : public QWidget {
public:
    HFontPage(HItemPartsText& text, std::function<void()> changed, QWidget* parent)
        : QWidget(parent), m_edit(text), m_changed(std::move(changed)) {
        setObjectName(QStringLiteral("CDlgSubItemFont"));
        BuildLists();
        BuildEffectsAndSample();
        auto* grid = new QGridLayout(this);
        grid->addWidget(m_face, 0, 0);
        grid->addWidget(m_style, 0, 1);
        grid->addWidget(m_size, 0, 2);
        grid->addWidget(m_effects, 1, 0);
        grid->addWidget(m_sampleGroup, 1, 1, 1, 2);
        grid->setColumnStretch(0, 3);
        grid->setColumnStretch(1, 2);
        grid->setColumnStretch(2, 1);
        grid->setRowStretch(0, 1);
        Show();
    }

private:
    void BuildLists() {
        m_faces = FaceListEntries(InstalledJapaneseFaces(), m_edit.Font().faceName);
        m_face = NewList(kFaceListLabel, "face");
        m_face->SetEntries(ToQStringList(m_faces));
        m_face->Edit().setValidator(new HCp932Validator(&m_face->Edit()));
        connect(m_face, &HPickList::EntryChosen, this, [this](int row) {
            m_edit.SetFace(m_faces[static_cast<std::size_t>(row)]);
            Changed();
        });

        m_style = NewList(kStyleListLabel, "style");
        QStringList styles;
        for (const HFontStyleEntry& entry : FontStyleEntries()) {
            styles.append(draw::ToQString(entry.text));
        }
        m_style->SetEntries(styles);
        m_style->Edit().setValidator(new HCp932Validator(&m_style->Edit()));
        connect(m_style, &HPickList::EntryChosen, this, [this](int row) {
            m_edit.SetStyle(row);
            Changed();
        });

        m_size = NewList(kSizeListLabel, "size");
        QStringList sizes;
        for (const int32_t points : FontSizeEntries()) {
            sizes.append(QString::number(points));
        }
        m_size->SetEntries(sizes);
        m_size->Edit().setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{0,4}")), &m_size->Edit()));
        connect(m_size, &HPickList::EntryChosen, this, [this](int row) {
            m_edit.SetSize(FontSizeEntries()[static_cast<std::size_t>(row)] * 10);
            Changed();
        });
        connect(m_size, &HPickList::OtherTyped, this, [this](const QString& typed) {
            if (const auto size = TypedFontSize(draw::ToStdString(typed))) {
                m_edit.SetSize(*size);
                Changed();
            }
        });
    }

    HPickList* NewList(const char* caption, const char* name) {
        auto* list = new HPickList(draw::ToQString(caption), this);
        list->Edit().setObjectName(QStringLiteral("%1Edit").arg(QLatin1String(name)));
        list->List().setObjectName(QStringLiteral("%1List").arg(QLatin1String(name)));
        // Leaving a field with text that chose nothing shows the font's own value again.
        connect(&list->Edit(), &QLineEdit::editingFinished, this, &HFontPage::Show);
        return list;
    }

    void BuildEffectsAndSample() {
        m_effects = new QGroupBox(draw::ToQString(kFontEffectsLabel), this);
        m_strikeOut = new QCheckBox(draw::ToQString(kStrikeOutText), m_effects);
        m_strikeOut->setObjectName(QStringLiteral("strikeOutCheck"));
        m_underline = new QCheckBox(draw::ToQString(kUnderlineText), m_effects);
        m_underline->setObjectName(QStringLiteral("underlineCheck"));
        m_color = new HColorField(m_effects);
        m_color->setObjectName(QStringLiteral("textColorField"));
        auto* effects = new QGridLayout(m_effects);
        effects->addWidget(m_strikeOut, 0, 0, 1, 2);
        effects->addWidget(m_underline, 1, 0, 1, 2);
        effects->addWidget(new QLabel(draw::ToQString(kTextColorLabel), m_effects), 2, 0);
        effects->addWidget(m_color, 2, 1);
        connect(m_strikeOut, &QCheckBox::toggled, this, [this](bool on) {
            m_edit.SetStrikeOut(on);
            Changed();
        });
        connect(m_underline, &QCheckBox::toggled, this, [this](bool on) {
            m_edit.SetUnderline(on);
            Changed();
        });
        connect(m_color, &HColorField::ColorChanged, this, [this](HColorRef color) {
            m_edit.SetTextColor(color);
            Changed();
        });

        m_sampleGroup = new QGroupBox(draw::ToQString(kFontSampleLabel), this);
        m_sample = new HFontSample(m_sampleGroup);
        m_sample->setObjectName(QStringLiteral("fontSample"));
        auto* sample = new QVBoxLayout(m_sampleGroup);
        sample->addWidget(m_sample);
    }

    // Every control shows the font as it now is.
    void Show() {
        const HLogFont& font = m_edit.Font();
        m_face->Show(draw::ToQString(font.faceName));
        m_style->Show(draw::ToQString(FontStyleEntries()[FontStyleIndex(font)].text));
        m_size->Show(draw::ToQString(FontSizeText(m_edit.Size())));
        {
            const QSignalBlocker quietStrike(m_strikeOut);
            const QSignalBlocker quietUnder(m_underline);
            m_strikeOut->setChecked(font.strikeOut != 0);
            m_underline->setChecked(font.underline != 0);
        }
        m_color->SetColor(m_edit.TextColor());
        m_sample->Show(font, m_edit.TextColor());
    }

    // The field being typed in keeps its text; only the sample follows at once.
    void Changed() {
        m_sample->Show(m_edit.Font(), m_edit.TextColor());
        if (m_changed) {
            m_changed();
        }
    }

    HFontPageEdit m_edit;
    std::function<void()> m_changed;
    std::vector<std::string> m_faces;
    HPickList* m_face = nullptr;
    HPickList* m_style = nullptr;
    HPickList* m_size = nullptr;
    QGroupBox* m_effects = nullptr;
    QCheckBox* m_strikeOut = nullptr;
    QCheckBox* m_underline = nullptr;
    HColorField* m_color = nullptr;
    QGroupBox* m_sampleGroup = nullptr;
    HFontSample* m_sample = nullptr;
};

}  // namespace

QWidget* NewFontPage(HItemPartsText& text, std::function<void()> changed, QWidget* parent) {
    return new HFontPage(text, std::move(changed), parent);
}

}  // namespace zarvik::gui
