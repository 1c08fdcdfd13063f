// The about dialog: product line, version, the maker's addresses.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class about;
}

class about : public QDialog
{
    Q_OBJECT

public:
    explicit about(QWidget *parent = nullptr);
    ~about() override;

private slots:
    void on_pushButton_Exit_clicked();

private:
    std::unique_ptr<Ui::about> ui;
};
