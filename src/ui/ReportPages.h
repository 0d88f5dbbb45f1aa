#pragma once

namespace report {
struct SolveReport;
}

class QPagedPaintDevice;

// Lays a solve report out on pages: a PDF file or a printer. Tables wider than the page
// are split into blocks of columns, each block with the row names and the headers again;
// a table that runs onto the next page repeats its headers there.
namespace ReportPages {

// Landscape when the system does not fit across a portrait page, otherwise portrait.
void orient(const report::SolveReport& report, QPagedPaintDevice& device);

// Paints the whole report, page after page. False when the device cannot be painted on.
bool paint(const report::SolveReport& report, QPagedPaintDevice& device);

} // namespace ReportPages
