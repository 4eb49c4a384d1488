#pragma once
// A picture box: shows one picture scaled to fit, keeping its proportions,
// or nothing.
#include <QFrame>
#include <QImage>

class PictureBox : public QFrame {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  void SetImage(const QImage& image);
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};
