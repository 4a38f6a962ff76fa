// ESLint for the browser page, its tests and its build script (npm run lint --prefix .). The
// page's modules run in the browser, the rest in Node.
import js from "@eslint/js";
import globals from "globals";

export default [
  { ignores: ["build*/", "node_modules/", "tests/web/node_modules/"] },
  js.configs.recommended,
  {
    files: ["src/hosts/web/page/**/*.js", "tests/web/hooks/**/*.js"],
    languageOptions: { sourceType: "module", globals: globals.browser },
  },
  {
    files: ["**/*.mjs"],
    languageOptions: { sourceType: "module", globals: globals.node },
  },
  {
    // The page-side functions browser_test.mjs hands to the browser run there.
    files: ["tests/web/*.mjs"],
    languageOptions: { globals: { ...globals.browser, vantrellChecks: "readonly" } },
  },
  {
    rules: {
      "no-unused-vars": ["error", { argsIgnorePattern: "^_" }],
      eqeqeq: "error",
      "prefer-const": "error",
      "no-var": "error",
    },
  },
];
