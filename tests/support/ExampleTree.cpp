#include "tests/support/ExampleTree.h"

const char* const ExampleTreeXml =
    "<DUMMY_NODE><TXMLTreeNode><Data isNull=\"true\"/><Nodes>"
    "<TXMLTreeNode><Data><TCategory><Content>0</Content><ID>1</ID><Name>Arts</Name><Url>Top/Arts</Url></TCategory>"
    "</Data><Nodes>"
    "<TXMLTreeNode><Data><TCategory><Content>5</Content><ID>2</ID><Name>Music</Name><Url>Top/Arts/Music</Url>"
    "</TCategory></Data><Nodes/></TXMLTreeNode>"
    "<TXMLTreeNode><Data><TSymbolicCategory><Name>Sounds</Name><Parent>1</Parent><Url>Top/Arts/Music</Url>"
    "</TSymbolicCategory></Data><Nodes/></TXMLTreeNode>"
    "</Nodes></TXMLTreeNode></Nodes></TXMLTreeNode></DUMMY_NODE>";
