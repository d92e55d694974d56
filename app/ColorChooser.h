#pragma once
#include <cstdint>

class QComboBox;
class QWidget;

// The colour choosers of the option pages: named colours with swatches and "其它颜色...".
// Colours are r + 256 g + 65536 b.
namespace ColorChooser {
QComboBox* Create(QWidget* parent);
void SetColor(QComboBox* chooser, uint32_t color);
uint32_t Color(const QComboBox* chooser);
}
