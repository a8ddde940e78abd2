#include "tests/support/TreeXml.h"

namespace {

std::string Escaped(const std::string& text)
{
    std::string xml;
    for (const char c : text)
        xml += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    return xml;
}

}  // namespace

std::string CategoryXml(int id, const std::string& name, const std::string& url, const std::string& children)
{
    return "<TXMLTreeNode><Data><TCategory><Content>0</Content><ID>" + std::to_string(id) + "</ID><Name>" +
           Escaped(name) + "</Name><Url>" + Escaped(url) + "</Url></TCategory></Data><Nodes>" + children +
           "</Nodes></TXMLTreeNode>";
}

std::string SymbolicXml(const std::string& name, int parent, const std::string& url)
{
    return "<TXMLTreeNode><Data><TSymbolicCategory><Name>" + Escaped(name) + "</Name><Parent>" +
           std::to_string(parent) + "</Parent><Url>" + Escaped(url) + "</Url></TSymbolicCategory></Data><Nodes/>" +
           "</TXMLTreeNode>";
}

std::string TreeXml(const std::string& topLevel)
{
    return "<DUMMY_NODE><TXMLTreeNode><Data isNull=\"true\"/><Nodes>" + topLevel +
           "</Nodes></TXMLTreeNode></DUMMY_NODE>";
}
