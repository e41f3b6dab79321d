// Reading back which row of a camp dialog has the focus. Rows are named by
// their index ("0", "1", …) or by a parameter ("HP" … "MOVE"); anything
// else, or no focus at all, reads as no row.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "field/unit_status.h"

class CDialog;

// The index a row name stands for when it is below `rowCount`; only the
// plain decimal form counts ("7", not "07", "+7" or " 7").
std::optional<std::size_t> ParseRowIndex(std::string_view name, std::size_t rowCount);

std::optional<std::size_t> FocusedRowIndex(const CDialog& dialog, std::size_t rowCount);
std::optional<EStatusType> FocusedStatusType(const CDialog& dialog);
