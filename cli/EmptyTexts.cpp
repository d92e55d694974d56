#include "EmptyTexts.h"

#include <CLI/CLI.hpp>

#include <iostream>

bool EmptyTexts::Check(const CLI::App& app)
{
    for (const CLI::App* sub : app.get_subcommands()) {
        for (const CLI::Option* opt : sub->get_options()) {
            // Numbers have their own rule, whose message gives the range.
            if (opt->count() == 0 || opt->get_items_expected_max() == 0 || opt->get_name() == "--title" ||
                opt->get_type_name() == "NUMBER")
                continue;
            for (const std::string& value : opt->results()) {
                if (!value.empty())
                    continue;
                std::cerr << "qen-cli " << sub->get_name() << ": " << opt->get_name()
                          << " is empty; give it a value or leave it out\n";
                return false;
            }
        }
    }
    return true;
}
