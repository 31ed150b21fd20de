// tovu2: the program starts by loading its main window, whose load handler brings the
// system to its idle state (scan for the instrument included) before the window shows.
#include "app/mainwindow/MainContext.h"
#include "app/mainwindow/QtUserInteraction.h"
#include "app/mainwindow/frmmain.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tovu"));

    tovu::mainwindow::MainOptions options;
    options.commandLine = QApplication::arguments().mid(1).join(u' ');

    tovu::mainwindow::QtUserInteraction ui;
    tovu::mainwindow::MainContext context(options, ui);
    tovu::mainwindow::frmmain window(context);
    ui.setOwner(&window);
    ui.setStrings(&context.language);
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
