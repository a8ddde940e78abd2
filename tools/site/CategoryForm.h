#pragma once

// The two admin forms that create categories: "dir_categs_edit.php?action=N" and, for
// symbolic categories, "dir_categs_edit.php?action=N&s=1".
enum class TCategoryForm { Regular, Symbolic };

// Their fields, as clients post them.
inline constexpr const char* TitleField = "TITLE";
inline constexpr const char* TitleUrlField = "TITLE_URL";
inline constexpr const char* ParentField = "PARENT_ID";
inline constexpr const char* TargetField = "SYMBOLIC_ID";
inline constexpr const char* StatusField = "STATUS";
