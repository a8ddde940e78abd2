#pragma once

// Registers TCategory, TSymbolicCategory, TDmoz and TXMLTreeNode, in that order, with the
// XML class registry. Called at start-up; calling it again changes nothing.
void RegisterCategoryClasses();
