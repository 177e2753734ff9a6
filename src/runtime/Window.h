#pragma once

#include <QWidget>

namespace rt {

// Window position and size in twips, the unit the design gives them in. Left and Top are the
// window's outer corner; Width and Height its outer size.
double windowLeft(const QWidget* window);
double windowTop(const QWidget* window);
double windowWidth(const QWidget* window);
double windowHeight(const QWidget* window);
void setWindowLeft(QWidget* window, double twips);
void setWindowTop(QWidget* window, double twips);
void setWindowWidth(QWidget* window, double twips);
void setWindowHeight(QWidget* window, double twips);

// The primary screen's size in twips.
double screenWidth();
double screenHeight();

// Window state as numbers: 0 normal, 1 minimised, 2 maximised. A hidden window stays hidden and
// takes its new state when it is shown.
int windowState(const QWidget* window);
void setWindowState(QWidget* window, int state);

} // namespace rt
