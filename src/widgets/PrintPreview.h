#pragma once

#include <functional>

#include <QString>

#include "base/UserDialogs.h"

class QPagedPaintDevice;
class QWidget;

// The entry of the module "printing": the print preview over parent, its
// pages painted by paint, and the printer's own dialog behind its button.
using PrintWithPreview = PrintOutcome(const QString &title, const std::function<bool(QPagedPaintDevice &)> &paint,
                                      QWidget *parent);
inline constexpr const char *PrintWithPreviewSymbol = "zepa_print_with_preview";
