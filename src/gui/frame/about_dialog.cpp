#include "gui/frame/about_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app/about_text.h"
#include "core/app/system.h"
#include "draw/qt_text.h"

namespace zarvik::gui {
namespace {

// What the box shows when the version information lacks a string.
constexpr const char* kProductTemplate = "Zarvik Version 1.0";
constexpr const char* kCopyrightTemplate = "Copyright (C)";

QIcon ApplicationIcon(const QWidget* parent) {
    QIcon icon(":/icons/zarvik.svg");
    if (icon.isNull() && parent != nullptr) {
        icon = parent->windowIcon();
    }
    return icon;
}

}  // namespace

void ShowAboutBox(QWidget* parent) {
    QDialog box(parent);
    box.setObjectName("aboutBox");
    box.setWindowTitle(draw::ToQString("Zarvikのﾊﾞｰｼﾞｮﾝ情報"));
    const QIcon icon = ApplicationIcon(parent);
    box.setWindowIcon(icon);

    auto* iconLabel = new QLabel(&box);
    iconLabel->setPixmap(icon.pixmap(32, 32));
    iconLabel->setAlignment(Qt::AlignTop);
    auto* productLine =
        new QLabel(draw::ToQString(AboutProductLine(HSystem::GetVersionString("ProductName"),
                                                    HSystem::GetVersionString("ProductVersion"),
                                                    kProductTemplate)),
                   &box);
    productLine->setObjectName("productLine");
    auto* copyrightLine =
        new QLabel(draw::ToQString(AboutCopyrightLine(HSystem::GetVersionString("LegalCopyright"),
                                                      kCopyrightTemplate)),
                   &box);
    copyrightLine->setObjectName("copyrightLine");

    auto* lines = new QVBoxLayout;
    lines->addWidget(productLine);
    lines->addWidget(copyrightLine);
    auto* row = new QHBoxLayout;
    row->addWidget(iconLabel);
    row->addLayout(lines, 1);

    auto* buttons = new QDialogButtonBox(&box);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);

    auto* layout = new QVBoxLayout(&box);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    box.exec();
}

}  // namespace zarvik::gui
