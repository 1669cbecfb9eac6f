#pragma once

#include <pugixml.hpp>

#include "xmla/md_data_set.h"

// The multidimensional format (MDDataSet): OlapInfo describing the cube, the axes and the cell
// properties; Axes of tuples; CellData with the cells that are not empty.
namespace xmla {

// Appends the root element to a response's return element.
void WriteMdDataSet(pugi::xml_node parent, const MdDataSet& data_set);
// Reads an MDDataSet root whose axes are in tuple format. Raises ProviderError when the axes
// come in another format or a tuple does not match its axis.
MdDataSet ReadMdDataSet(const pugi::xml_node& root);

}  // namespace xmla
