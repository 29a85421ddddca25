// The HTML editor's own dialogs, each shown and then applied to the document in the page:
// find text, the selection's font, the properties of the selected element (picture, link or
// page), and the address of a new link or picture. Each returns whether it changed or found
// something; a cancelled dialog changes nothing. GUI thread only.
#pragma once

class QWebEnginePage;

namespace pvhosted {

bool FindText(QWebEnginePage* page);
bool ChooseFont(QWebEnginePage* page);
bool EditProperties(QWebEnginePage* page);
// Asks for the address of a new link (`picture` false) or picture, and inserts it.
bool AskAddressAndInsert(QWebEnginePage* page, bool picture);

}  // namespace pvhosted
