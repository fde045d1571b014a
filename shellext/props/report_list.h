#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// The two-column report lists of the property pages and editors (mapping rows, actions,
// parameters, file types).

// Adds a column whose title is a string of the table.
void InsertReportColumn(HWND list, int index, UINT titleId, int width);
// Shows the rows, replacing what the list showed, with the row `selected` selected (none when
// out of range).
void ShowReportRows(HWND list, const std::vector<std::pair<std::string, std::string>>& rows, int selected);
// The selected row, -1 when none is.
int SelectedReportRow(HWND list);
void SelectReportRow(HWND list, int row);
