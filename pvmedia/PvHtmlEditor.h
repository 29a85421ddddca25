// PvHtmlEditor: edits HTML documents in a window's OLE control ("html2") with the editor's
// command set: loading, saving, formatting, insertion at the selection and the background
// colour. Used on the thread of the window that hosts the control.
#pragma once

#include "pvmedia/PvOCX.h"

class PvHtmlEditor : public PvOCX {
 public:
  virtual std::int32_t Html2KeyPressed();                                              // 31
  virtual void Html2Settings(std::string_view color);                                  // 32
  virtual void InsertHTML(std::string_view html, std::uint8_t position);               // 33
  virtual void InsertText(std::string_view text, std::uint8_t position);               // 34
  virtual void LoadHtml2(std::string_view path);                                       // 35
  virtual void Load(std::string_view path, std::int32_t control, std::uint8_t useOwn, std::uint8_t mode,
                    std::uint8_t noLoad);                                              // 36
  virtual void Load(std::string_view path);                                            // 37
  virtual void GetInfo();                                                               // 38
  virtual std::string GetInfo1(std::string_view name);                                 // 39
  // "Html2Source" writes SOURCE to the editor; "Html2BrowserCurrentDocumentPath()" reads the path.
  virtual void Update(std::string_view what);                                          // 40
  virtual void PrintMe();                                                               // 41
  virtual void PrintMe(std::uint8_t withDialog);                                       // 42
  virtual void Reload();                                                                // 43
  // Mode 1 saves to `path`; mode 2 reads the document's HTML into `html`.
  virtual void Save(std::string_view path, std::uint8_t mode, std::string* html = nullptr);  // 44
  virtual void Edit(std::int32_t action);                                              // 45
  virtual void Edit(std::string_view command);                                         // 46
  virtual std::int32_t KeyPressed();                                                    // 47
  virtual void Settings(std::string_view color);                                       // 48
  virtual std::string GetHTMLGraphicsInfo();                                           // 49
  virtual void Init(std::int32_t control);                                              // 50
  using PvMaster::Init;
  virtual void NewDocument();                                                           // 51
  virtual std::string GetHTMLGraphicsInfo(std::string_view source);                    // 52

  std::uint8_t ACTIVE = 0, BROWSER = 0;
  std::string SELINNERHTML, SELINNERTEXT, SELOUTERHTML, SELOUTERTEXT, INNERTEXT;  // 50000 each
  std::string OBJTYPE;  // 10
  std::string PAGEPATH, PICSOURCE, PICTEXT, TAGNAME, PAGETITLE, URL, OBJSTRING;  // 255 each
  std::string PICALIGN;  // 30
  std::uint8_t PICBORDER = 0, PICHSPACING = 0, PICVSPACING = 0;
  std::string SOURCE;        // 100000
  std::string GRAPHICSLIST;  // 8192
  std::string HTMLROOTFOLDER, HTMLURL;  // 255 each
  std::uint8_t CONTROLOBJECTCREATED = 0;

 private:
  bool EnsureControl();
};

// The command text of an editing action; empty for an unknown action.
std::string PvHtmlEditorCommand(std::int32_t action);
// The source with its body's background set to `color` (the "bgcolor" of the body tag, or
// a body tag after "</head>" when there is none).
std::string PvHtmlEditorSetBackground(const std::string& source, const std::string& color);
// The pictures a source refers to, one a line ("cid:bodybackground" for a body background).
std::string PvHtmlGraphicsList(const std::string& source);
