#include "objtool_read.h"

std::string withoutFunctionName(const std::string& message) {
    std::string text = message;
    // The library begins every message with its function's name and "()", then a colon,
    // after " failed" or " warning" where it says so.
    const std::size_t call = text.find("()");
    const std::size_t colon = text.find(": ", call);
    if (text.rfind("glm", 0) == 0 && colon != std::string::npos) {
        const std::string between = text.substr(call + 2, colon - call - 2);
        if (between.empty() || between == " failed" || between == " warning") {
            text.erase(0, colon + 2);
        }
    }
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    return text;
}

ModelPtr readModel(const std::string& path, std::string* error) {
    ModelPtr model(glmTryReadOBJ(path.c_str(), error));
    if (model == nullptr) {
        *error = withoutFunctionName(*error);
    }
    return model;
}
