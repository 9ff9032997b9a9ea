#pragma once

#include <QDialog>

class Main;

class Config : public QDialog {
    Q_OBJECT
public:
    explicit Config(Main& hoofd);

private:
    Main& m_hoofd;
};
