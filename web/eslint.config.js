// ESLint for the web edition: the recommended rules, with the globals of where each file runs.
import js from '@eslint/js';
import globals from 'globals';

export default [
  { ignores: ['node_modules/'] },
  js.configs.recommended,
  {
    files: ['src/**/*.js', 'static/**/*.js'],
    languageOptions: { sourceType: 'module', globals: globals.browser },
  },
  {
    // The service worker is a classic script; generate_offline.py puts BUILD and FILES before it.
    files: ['static/sw.js'],
    languageOptions: {
      sourceType: 'script',
      globals: { ...globals.serviceworker, BUILD: 'readonly', FILES: 'readonly' },
    },
  },
  {
    files: ['*.js', '*.mjs', 'core/**/*.mjs', 'tests/**/*.mjs'],
    languageOptions: { sourceType: 'module', globals: globals.node },
  },
  {
    // Tests and the benchmark hand functions to the page, which run there.
    files: ['*.mjs', 'tests/**/*.mjs'],
    languageOptions: { globals: { ...globals.node, ...globals.browser } },
  },
];
