#include "launcher/CGImageRefToNSImageTransformer.h"

#include "kit/Image.h"

fnd::Value CGImageRefToNSImageTransformer::transformedValue(const fnd::Value& value) const {
  std::shared_ptr<kit::Image> image = value.toObject<kit::Image>();
  if (!image || !image->isValid()) return {};
  return fnd::Value::object(std::make_shared<kit::Image>(*image));
}
