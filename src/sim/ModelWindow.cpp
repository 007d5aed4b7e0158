#include "sim/ModelWindow.h"

#include "app/StringUtil.h"

#include <algorithm>

namespace cw {

ModelWindow::ModelWindow(ModelWindowFactory& factory, const WindowDecl& decl, Window* owner,
                         std::string hostControl)
    : factory_(factory), decl_(decl), owner_(owner), hostControl_(std::move(hostControl)),
      title_(decl.title), topmost_(decl.topmost) {
    for (const ControlDecl& c : decl.controls) {
        ModelControl state;
        state.decl = c;
        state.text = c.text;
        state.visible = c.visible;
        state.color = c.font.color;
        controls_[str::lower(c.name)] = state;
    }
    factory_.windows_.push_back(this);
    ++factory_.created_[decl.className];
}

ModelWindow::~ModelWindow() {
    auto& list = factory_.windows_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

ModelControl* ModelWindow::find(std::string_view name) {
    const auto it = controls_.find(str::lower(name));
    return it == controls_.end() ? nullptr : &it->second;
}

const ModelControl* ModelWindow::control(std::string_view name) const {
    const auto it = controls_.find(str::lower(name));
    return it == controls_.end() ? nullptr : &it->second;
}

void ModelWindow::setText(std::string_view control, std::string_view text) {
    if (auto* c = find(control)) c->text = text;
}
std::string ModelWindow::text(std::string_view control) const {
    const auto* c = this->control(control);
    return c ? c->text : std::string();
}
void ModelWindow::setVisible(std::string_view control, bool visible) {
    if (auto* c = find(control)) c->visible = visible;
}
bool ModelWindow::visible(std::string_view control) const {
    const auto* c = this->control(control);
    return c && c->visible;
}
void ModelWindow::setEnabled(std::string_view control, bool enabled) {
    if (auto* c = find(control)) c->enabled = enabled;
}
bool ModelWindow::enabled(std::string_view control) const {
    const auto* c = this->control(control);
    return c && c->enabled;
}
void ModelWindow::setFontColor(std::string_view control, Color color) {
    if (auto* c = find(control)) c->color = color;
}
void ModelWindow::setPicture(std::string_view control, const Picture& picture) {
    if (auto* c = find(control)) {
        c->picture = picture;
        ++c->pictureLoads;
    }
}
void ModelWindow::setItems(std::string_view control, const std::vector<std::string>& items) {
    if (auto* c = find(control)) {
        c->items = items;
        c->selection = -1;
    }
}
std::vector<std::string> ModelWindow::items(std::string_view control) const {
    const auto* c = this->control(control);
    return c ? c->items : std::vector<std::string>{};
}
void ModelWindow::setSelection(std::string_view control, int index) {
    if (auto* c = find(control))
        c->selection = index >= 0 && index < static_cast<int>(c->items.size()) ? index : -1;
}
int ModelWindow::selection(std::string_view control) const {
    const auto* c = this->control(control);
    return c ? c->selection : -1;
}
void ModelWindow::setMaxLength(std::string_view control, int length) {
    if (auto* c = find(control)) c->maxLength = length;
}
void ModelWindow::setProgress(std::string_view control, int position, int maximum) {
    if (auto* c = find(control)) {
        c->maximum = maximum;
        c->position = std::clamp(position, 0, std::max(maximum, 0));
    }
}
void ModelWindow::setFocus(std::string_view control) {
    if (find(control)) focus_ = str::lower(control);
}

void ModelWindow::setCharFilter(std::string_view control, std::function<bool(char32_t)> filter) {
    if (auto* c = find(control)) c->charFilter = std::move(filter);
}
void ModelWindow::setCaret(std::string_view control, int position) {
    if (auto* c = find(control))
        c->caret = std::clamp(position, 0, static_cast<int>(str::utf8ToUtf16(c->text).size()));
}

int ModelWindow::showModal() {
    shown_ = true;
    inModal_ = true;
    modalEnded_ = false;
    modalResult_ = 0;
    if (factory_.onModal) factory_.onModal(*this);
    inModal_ = false;
    shown_ = false;
    return modalEnded_ ? modalResult_ : 0;
}

void ModelWindow::endModal(int result) {
    if (!inModal_ || modalEnded_) return;
    modalEnded_ = true;
    modalResult_ = result;
}

void ModelWindow::click(std::string_view control) {
    const auto* c = find(control);
    if (c && c->visible && c->enabled) raise(c->decl.name, ControlEvent::Click);
}

void ModelWindow::type(std::string_view control, std::string_view text) {
    auto* c = find(control);
    if (!c || !c->visible || !c->enabled) return;
    c->text = text;
    if (c->maxLength > 0 && static_cast<int>(c->text.size()) > c->maxLength)
        c->text.resize(static_cast<size_t>(c->maxLength));
    raise(c->decl.name, ControlEvent::Change);
}

bool ModelWindow::press(std::string_view control, char32_t key) {
    auto* c = find(control);
    if (!c || !c->visible || !c->enabled) return false;
    if (c->charFilter && !c->charFilter(key)) return false;
    std::u16string text = str::utf8ToUtf16(c->text);
    const size_t before = text.size();
    if (key == U'\b') {
        if (!text.empty()) text.pop_back();
    } else if (key >= 0x20 && key <= 0xFFFF &&
               (c->maxLength <= 0 || static_cast<int>(text.size()) < c->maxLength)) {
        text.push_back(static_cast<char16_t>(key));
    }
    if (text.size() == before) return true;
    c->text = str::utf16ToUtf8(text);
    c->caret = static_cast<int>(text.size());
    raise(c->decl.name, ControlEvent::Change);
    return true;
}

void ModelWindow::select(std::string_view control, int index) {
    auto* c = find(control);
    if (!c || !c->visible || !c->enabled) return;
    setSelection(control, index);
    raise(c->decl.name, ControlEvent::Select);
}

std::unique_ptr<Window> ModelWindowFactory::createWindow(const WindowDecl& decl, Window* owner) {
    return std::make_unique<ModelWindow>(*this, decl, owner);
}

std::unique_ptr<Window> ModelWindowFactory::createChildWindow(const WindowDecl& decl, Window& host,
                                                              std::string_view hostControl) {
    return std::make_unique<ModelWindow>(*this, decl, &host, std::string(hostControl));
}

ModelWindow* ModelWindowFactory::findNamed(std::string_view name) const {
    for (ModelWindow* w : windows_)
        if (str::equalsNoCase(w->decl().name, name)) return w;
    return find(name);
}

ModelWindow* ModelWindowFactory::find(std::string_view className) const {
    for (ModelWindow* w : windows_)
        if (str::equalsNoCase(w->decl().className, className)) return w;
    return nullptr;
}

int ModelWindowFactory::created(std::string_view className) const {
    const auto it = created_.find(std::string(className));
    return it == created_.end() ? 0 : it->second;
}

} // namespace cw
