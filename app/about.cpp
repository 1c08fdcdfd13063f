#include "app/about.h"

#include "app/application.h"
#include "link/maker.h"
#include "ui_about.h"

about::about(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::about>())
{
    ui->setupUi(this);
    orlo::useSharpImages(this);
    ui->textBrowser_Description_gamme->setHtml(
        tr("<p>Version 3.7.7</p>"
           "<p><a href=\"mailto:%1?subject=Help on Orlo product\">Technical support</a></p>"
           "<p><a href=\"%2\">Orlo Plateform</a></p>"
           "<p>Thank you for working with <a href=\"%3\">Velka</a>.</p>")
            .arg(QLatin1String(maker::kSupportMail), QLatin1String(maker::kPlatformSite),
                 QLatin1String(maker::kWebSite)));
}

about::~about() = default;

void about::on_pushButton_Exit_clicked()
{
    close();
}
