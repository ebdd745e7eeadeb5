// The reference for startup_bench: the least a Qt program does to show a
// dialog of the wizard's size modally; with the argument "text", the dialog
// also shows one line of text, so that the cost of the first text drawn
// (the font configuration read, a font loaded) can be told apart.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <cstring>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QDialog dialog;
  dialog.setFixedSize(527, 281);
  if (argc > 1 && std::strcmp(argv[1], "text") == 0)
    (new QLabel(QStringLiteral("Orvalen"), &dialog))->move(8, 8);
  dialog.exec();
  return 0;
}
