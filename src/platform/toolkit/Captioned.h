// What the kinds that show a caption share (labels, buttons, frames, menu entries): the caption
// the program sets, which the view then shows.
#pragma once

#include <string>
#include <string_view>

namespace toolkit {

class Captioned {
public:
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption) {
        caption_ = caption;
        captionChanged();
    }

protected:
    explicit Captioned(std::string caption) : caption_(std::move(caption)) {}
    virtual ~Captioned() = default;
    virtual void captionChanged() = 0;

private:
    std::string caption_;
};

}  // namespace toolkit
