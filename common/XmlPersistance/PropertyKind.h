#pragma once

// Kind of a published property. The numeric codes are fixed: they appear in error messages.
enum PropertyKind : int {
    pkUnknown = 0,
    pkInteger = 1,
    pkChar = 2,
    pkEnumeration = 3,
    pkFloat = 4,
    pkShortString = 5,
    pkSet = 6,
    pkClass = 7,
    pkMethod = 8,
    pkWideChar = 9,
    pkString = 10,
    pkWideString = 11,
    pkVariant = 12,
    pkArray = 13,
    pkRecord = 14,
    pkInterface = 15,
    pkInt64 = 16,
    pkDynArray = 17,
};
