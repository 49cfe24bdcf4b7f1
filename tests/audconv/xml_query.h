#pragma once
// A parsed XML document (libxml2) with XPath queries for the tool's tests. The SVG and
// XLink namespaces are bound to the prefixes "svg" and "xlink".

#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace audiogram::test {

using XmlAttributes = std::map<std::string, std::string>;  // "xlink:href" for namespaced ones

class XmlQuery {
public:
    explicit XmlQuery(std::string_view text)
        : doc_(xmlReadMemory(text.data(), static_cast<int>(text.size()), "test.xml", nullptr,
                             XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING)) {}
    ~XmlQuery() { xmlFreeDoc(doc_); }
    XmlQuery(const XmlQuery&) = delete;
    XmlQuery& operator=(const XmlQuery&) = delete;

    bool WellFormed() const { return doc_ != nullptr; }

    // The attributes of every element the expression selects, in document order.
    std::vector<XmlAttributes> Elements(const char* xpath) const {
        std::vector<XmlAttributes> found;
        ForEachNode(xpath, [&found](xmlNodePtr node) {
            XmlAttributes attributes;
            for (xmlAttrPtr attr = node->properties; attr; attr = attr->next) {
                std::string name = reinterpret_cast<const char*>(attr->name);
                if (attr->ns && attr->ns->prefix) name = std::string(reinterpret_cast<const char*>(attr->ns->prefix)) + ":" + name;
                xmlChar* value = xmlNodeListGetString(node->doc, attr->children, 1);
                attributes[name] = value ? reinterpret_cast<const char*>(value) : "";
                xmlFree(value);
            }
            found.push_back(std::move(attributes));
        });
        return found;
    }

    // The text content of every node the expression selects.
    std::vector<std::string> Texts(const char* xpath) const {
        std::vector<std::string> found;
        ForEachNode(xpath, [&found](xmlNodePtr node) {
            xmlChar* text = xmlNodeGetContent(node);
            found.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
            xmlFree(text);
        });
        return found;
    }

private:
    template <class Visit>
    void ForEachNode(const char* xpath, Visit visit) const {
        if (!doc_) return;
        xmlXPathContextPtr context = xmlXPathNewContext(doc_);
        xmlXPathRegisterNs(context, BAD_CAST "svg", BAD_CAST "http://www.w3.org/2000/svg");
        xmlXPathRegisterNs(context, BAD_CAST "xlink", BAD_CAST "http://www.w3.org/1999/xlink");
        xmlXPathObjectPtr result = xmlXPathEvalExpression(BAD_CAST xpath, context);
        if (result && result->nodesetval) {
            for (int i = 0; i < result->nodesetval->nodeNr; ++i) visit(result->nodesetval->nodeTab[i]);
        }
        xmlXPathFreeObject(result);
        xmlXPathFreeContext(context);
    }

    xmlDocPtr doc_;
};

}  // namespace audiogram::test
