#include "common/XmlPersistance/Variant.h"

#include "common/XmlPersistance/ValueText.h"
#include "common/XmlPersistance/XmlPersistanceErrors.h"

std::string TVariant::ToText() const
{
    struct TToText {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(TNull) const
        {
            throw EConvertError("Could not convert variant of type (Null) into type (String)");
        }
        std::string operator()(std::int64_t number) const { return std::to_string(number); }
        std::string operator()(double number) const { return FloatToText(number); }
        std::string operator()(bool flag) const { return flag ? "True" : "False"; }
        std::string operator()(const std::string& text) const { return text; }
    };
    return std::visit(TToText{}, Value);
}
