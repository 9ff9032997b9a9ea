#pragma once

#include <QDialog>

class Main;

class Layout : public QDialog {
    Q_OBJECT
public:
    explicit Layout(Main& hoofd);

private:
    Main& m_hoofd;
};
