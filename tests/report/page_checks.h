// Reading the HTML page in tests: it is written as well-formed XML, so a
// strict XML parser (libxml2) both proves that and gives the tree.
#pragma once

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace codetal::test {

using Page = std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)>;

// Null when the page is not well-formed.
inline Page parse_page(const std::string& bytes) {
  return Page(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "page.html", "UTF-8",
                            XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
              xmlFreeDoc);
}

inline void for_each_element(xmlNode* node, const std::function<void(xmlNode*)>& visit) {
  for (; node != nullptr; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    visit(node);
    for_each_element(node->children, visit);
  }
}

inline std::string attribute(xmlNode* node, const char* name) {
  xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
  std::string text = value != nullptr ? reinterpret_cast<const char*>(value) : "";
  xmlFree(value);
  return text;
}

inline std::string text_of(xmlNode* node) {
  xmlChar* value = xmlNodeGetContent(node);
  std::string text = value != nullptr ? reinterpret_cast<const char*>(value) : "";
  xmlFree(value);
  return text;
}

inline std::string_view name_of(xmlNode* node) {
  return reinterpret_cast<const char*>(node->name);
}

inline xmlNode* element_by_id(const Page& page, std::string_view id) {
  xmlNode* found = nullptr;
  for_each_element(xmlDocGetRootElement(page.get()), [&](xmlNode* node) {
    if (found == nullptr && attribute(node, "id") == id) found = node;
  });
  return found;
}

// The element children of `node` named `name`.
inline std::vector<xmlNode*> children_named(xmlNode* node, std::string_view name) {
  std::vector<xmlNode*> found;
  for (xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (child->type == XML_ELEMENT_NODE && name_of(child) == name) found.push_back(child);
  }
  return found;
}

// Everything that would make the page load something from elsewhere: a
// reference attribute not within the page, an element that embeds another
// resource, a style that imports or points outside.
inline std::vector<std::string> external_references(const Page& page) {
  const std::string_view reference_attributes[] = {"src",    "href",   "xlink:href", "action",
                                                   "srcset", "poster", "data",       "background"};
  const std::string_view embedding_elements[] = {"link",  "img",   "iframe", "object",
                                                 "embed", "audio", "video",  "image"};
  std::vector<std::string> found;
  for_each_element(xmlDocGetRootElement(page.get()), [&](xmlNode* node) {
    for (std::string_view element : embedding_elements) {
      if (name_of(node) == element) found.push_back(std::string(element));
    }
    for (xmlAttr* a = node->properties; a != nullptr; a = a->next) {
      std::string name = reinterpret_cast<const char*>(a->name);
      for (std::string_view reference : reference_attributes) {
        if (name == reference && !attribute(node, name.c_str()).starts_with("#"))
          found.push_back(name + "=" + attribute(node, name.c_str()));
      }
    }
    if (name_of(node) == "style" || !attribute(node, "style").empty()) {
      std::string style = text_of(node) + attribute(node, "style");
      for (const char* bad : {"url(", "@import"}) {
        if (style.find(bad) != std::string::npos) found.push_back(bad);
      }
    }
  });
  return found;
}

}  // namespace codetal::test
