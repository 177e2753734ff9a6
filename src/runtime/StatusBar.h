#pragma once

#include <QLabel>
#include <QWidget>
#include <memory>
#include <vector>

class QHBoxLayout;

namespace rt {

// One panel of a status bar: style 0 is text, bevel 0 is none, auto-size 2 fits its contents.
class StatusPanel : public QLabel {
    Q_OBJECT
  public:
    explicit StatusPanel(QWidget* parent = nullptr);
    int style() const { return style_; }
    void setStyle(int style) { style_ = style; }
    int bevel() const { return bevel_; }
    void setBevel(int bevel);
    int autoSize() const { return autoSize_; }
    void setAutoSize(int autoSize);

  private:
    int style_ = 0, bevel_ = 1, autoSize_ = 0;
};

// A status bar with panels numbered from 1.
class StatusBar : public QWidget {
    Q_OBJECT
  public:
    explicit StatusBar(QWidget* parent = nullptr);
    int panelCount() const { return int(panels_.size()); }
    StatusPanel& addPanel();
    // Panel n (1-based); a panel that does not exist yields a detached stand-in.
    StatusPanel& panel(int n);
    QString panelText(int n) const;
    void setPanelText(int n, const QString& text) { panel(n).setText(text); }

  private:
    QHBoxLayout* layout_;
    std::vector<StatusPanel*> panels_;
    std::unique_ptr<StatusPanel> missing_;
};

} // namespace rt
